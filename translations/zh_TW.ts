<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>BusyIndicator</name>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CliHelp</name>
    <message>
        <source>用法: %1</source>
        <translation>用法: %1</translation>
    </message>
    <message>
        <source>选项:</source>
        <translation>選項:</translation>
    </message>
    <message>
        <source>参数:</source>
        <translation>參數:</translation>
    </message>
</context>
<context>
    <name>CliOutput</name>
    <message>
        <source>成功</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>失败 (退出码 %1)</source>
        <translation>失敗 (結束代碼 %1)</translation>
    </message>
</context>
<context>
    <name>CliParser</name>
    <message>
        <source>未知的子命令: %1</source>
        <translation>未知的子命令: %1</translation>
    </message>
    <message>
        <source>要执行的子命令</source>
        <translation>要執行的子命令</translation>
    </message>
    <message>
        <source>&lt;子命令&gt;</source>
        <translation>&lt;子命令&gt;</translation>
    </message>
    <message>
        <source>缺少子命令; 用 --help 查看用法</source>
        <translation>缺少子命令; 用 --help 查看用法</translation>
    </message>
    <message>
        <source>无效的超时: %1</source>
        <translation>無效的逾時: %1</translation>
    </message>
    <message>
        <source>(默认: %1)</source>
        <translation>(預設: %1)</translation>
    </message>
    <message>
        <source>[选项]</source>
        <translation>[選項]</translation>
    </message>
    <message>
        <source>显示此帮助后退出</source>
        <translation>顯示此說明後結束</translation>
    </message>
    <message>
        <source>每台仪器输出一行 JSON 对象</source>
        <translation>每台儀器輸出一行 JSON 物件</translation>
    </message>
    <message>
        <source>信息的语言: en_US, zh_CH 或 zh_TW (默认取自 config.ini)</source>
        <translation>訊息的語言: en_US, zh_CH 或 zh_TW (預設取自 config.ini)</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>每次等待应答的毫秒数 (默认为仪器自身的时间)</source>
        <translation>每次等待回應的毫秒數 (預設為儀器自身的時間)</translation>
    </message>
    <message>
        <source>毫秒</source>
        <translation>毫秒</translation>
    </message>
    <message>
        <source>经 UDP 连接仪器; read, write, set-clock 和 flash 可重复此选项</source>
        <translation>經 UDP 連線儀器; read, write, set-clock 和 flash 可重複此選項</translation>
    </message>
    <message>
        <source>主机:端口</source>
        <translation>主機:連接埠</translation>
    </message>
    <message>
        <source>经串口连接仪器</source>
        <translation>經序列埠連線儀器</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>序列埠</translation>
    </message>
    <message>
        <source>串口波特率</source>
        <translation>序列埠鮑率</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>數值</translation>
    </message>
    <message>
        <source>串口数据位: 5 到 8</source>
        <translation>序列埠資料位元: 5 到 8</translation>
    </message>
    <message>
        <source>串口校验: none, even, odd, space 或 mark</source>
        <translation>序列埠同位檢查: none, even, odd, space 或 mark</translation>
    </message>
    <message>
        <source>校验</source>
        <translation>同位檢查</translation>
    </message>
    <message>
        <source>串口停止位: 1, 1.5 或 2</source>
        <translation>序列埠停止位元: 1, 1.5 或 2</translation>
    </message>
    <message>
        <source>发送请求前拉 RTS</source>
        <translation>傳送請求前拉 RTS</translation>
    </message>
    <message>
        <source>打开串口时置 DTR</source>
        <translation>開啟序列埠時設定 DTR</translation>
    </message>
    <message>
        <source>仪器的设备地址: 1 到 255</source>
        <translation>儀器的裝置位址: 1 到 255</translation>
    </message>
    <message>
        <source>把配置按助手的导出格式写入 CSV 文件</source>
        <translation>把設定按助手的匯出格式寫入 CSV 檔案</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>檔案</translation>
    </message>
    <message>
        <source>要写入的配置 CSV 文件</source>
        <translation>要寫入的設定 CSV 檔案</translation>
    </message>
    <message>
        <source>文件.csv</source>
        <translation>檔案.csv</translation>
    </message>
    <message>
        <source>只显示将要写入的项, 不写入</source>
        <translation>只顯示將要寫入的項目, 不寫入</translation>
    </message>
    <message>
        <source>先读取配置, 只写入数值不同的项</source>
        <translation>先讀取設定, 只寫入數值不同的項目</translation>
    </message>
    <message>
        <source>不写入此项 (名称或编号), 可重复使用</source>
        <translation>不寫入此項 (名稱或編號), 可重複使用</translation>
    </message>
    <message>
        <source>项</source>
        <translation>項</translation>
    </message>
    <message>
        <source>要设置的时间, ISO 格式 (默认为当前时间)</source>
        <translation>要設定的時間, ISO 格式 (預設為目前時間)</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>起始日期 (yyyy-MM-dd)</source>
        <translation>起始日期 (yyyy-MM-dd)</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>结束日期 (yyyy-MM-dd)</source>
        <translation>結束日期 (yyyy-MM-dd)</translation>
    </message>
    <message>
        <source>把记录导出为 CSV 文件</source>
        <translation>把記錄匯出為 CSV 檔案</translation>
    </message>
    <message>
        <source>CSV 的格式: lines (记录原文, 默认) 或 table (表格, 每个字段一列)</source>
        <translation>CSV 的格式: lines (記錄原文, 預設) 或 table (表格, 每個欄位一欄)</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>把记录导出为 PDF 文件</source>
        <translation>把記錄匯出為 PDF 檔案</translation>
    </message>
    <message>
        <source>要烧写的固件包</source>
        <translation>要燒錄的韌體套件</translation>
    </message>
    <message>
        <source>固件包.zqbin</source>
        <translation>韌體套件.zqbin</translation>
    </message>
    <message>
        <source>打开仪器的调试输出, 结束时关闭</source>
        <translation>開啟儀器的偵錯輸出, 結束時關閉</translation>
    </message>
    <message>
        <source>以十六进制显示</source>
        <translation>以十六進位顯示</translation>
    </message>
    <message>
        <source>同时以文本和十六进制显示</source>
        <translation>同時以文字和十六進位顯示</translation>
    </message>
    <message>
        <source>监视的秒数 (默认直到 Ctrl-C)</source>
        <translation>監看的秒數 (預設直到 Ctrl-C)</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>搜索探测发往的 UDP 端口</source>
        <translation>搜尋探測送往的 UDP 連接埠</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>連接埠</translation>
    </message>
    <message>
        <source>等待应答的毫秒数</source>
        <translation>等待回應的毫秒數</translation>
    </message>
    <message>
        <source>探测的目的地址, 可重复 (默认为本机各网络的广播地址)</source>
        <translation>探測的目的位址, 可重複 (預設為本機各網路的廣播位址)</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>位址</translation>
    </message>
    <message>
        <source>无效的设备地址: %1</source>
        <translation>無效的裝置位址: %1</translation>
    </message>
    <message>
        <source>--udp 与 --serial 不能同时使用</source>
        <translation>--udp 與 --serial 不能同時使用</translation>
    </message>
    <message>
        <source>子命令 %1 只能连接一台仪器</source>
        <translation>子命令 %1 只能連線一台儀器</translation>
    </message>
    <message>
        <source>无效的 UDP 地址: %1 (应为 主机:端口)</source>
        <translation>無效的 UDP 位址: %1 (應為 主機:連接埠)</translation>
    </message>
    <message>
        <source>无效的波特率: %1</source>
        <translation>無效的鮑率: %1</translation>
    </message>
    <message>
        <source>无效的数据位: %1</source>
        <translation>無效的資料位元: %1</translation>
    </message>
    <message>
        <source>无效的校验: %1</source>
        <translation>無效的同位檢查: %1</translation>
    </message>
    <message>
        <source>无效的停止位: %1</source>
        <translation>無效的停止位元: %1</translation>
    </message>
    <message>
        <source>没有连接: config.ini 中没有设置, 请用 --udp 或 --serial 指定</source>
        <translation>沒有連線: config.ini 中沒有設定, 請用 --udp 或 --serial 指定</translation>
    </message>
    <message>
        <source>子命令 %1 需要一个文件名</source>
        <translation>子命令 %1 需要一個檔名</translation>
    </message>
    <message>
        <source>多余的参数: %1</source>
        <translation>多餘的參數: %1</translation>
    </message>
    <message>
        <source>--csv 只能用于一台仪器</source>
        <translation>--csv 只能用於一台儀器</translation>
    </message>
    <message>
        <source>无效的时间: %1 (应为 ISO 格式, 如 2024-05-01T08:30:00)</source>
        <translation>無效的時間: %1 (應為 ISO 格式, 如 2024-05-01T08:30:00)</translation>
    </message>
    <message>
        <source>history 需要 --from 和 --to 日期 (yyyy-MM-dd)</source>
        <translation>history 需要 --from 和 --to 日期 (yyyy-MM-dd)</translation>
    </message>
    <message>
        <source>起始日期晚于结束日期</source>
        <translation>起始日期晚於結束日期</translation>
    </message>
    <message>
        <source>无效的 CSV 格式: %1 (应为 lines 或 table)</source>
        <translation>無效的 CSV 格式: %1 (應為 lines 或 table)</translation>
    </message>
    <message>
        <source>--hex 与 --both 不能同时使用</source>
        <translation>--hex 與 --both 不能同時使用</translation>
    </message>
    <message>
        <source>无效的秒数: %1</source>
        <translation>無效的秒數: %1</translation>
    </message>
    <message>
        <source>无效的端口: %1</source>
        <translation>無效的連接埠: %1</translation>
    </message>
    <message>
        <source>无效的毫秒数: %1</source>
        <translation>無效的毫秒數: %1</translation>
    </message>
    <message>
        <source>无效的地址: %1</source>
        <translation>無效的位址: %1</translation>
    </message>
    <message>
        <source>固件包的版本比仪器的旧时也烧写 (降级)</source>
        <translation>韌體包的版本比儀器的舊時也燒錄 (降級)</translation>
    </message>
    <message>
        <source>ZQ 仪器的配置、时钟、历史记录、固件和监视，在命令行上完成。
子命令: read, write, set-clock, history, flash, monitor, search
连接默认取自当前目录的 config.ini。
退出码: 0 成功, 1 用法错误, 2 通讯失败, 3 仪器拒绝或应答无效, 4 文件错误或拒绝降级, 5 已中断。</source>
        <translation>ZQ 儀器的設定、時鐘、歷史記錄、韌體和監看，在命令列上完成。
子命令: read, write, set-clock, history, flash, monitor, search
連線預設取自目前目錄的 config.ini。
結束代碼: 0 成功, 1 用法錯誤, 2 通訊失敗, 3 儀器拒絕或回應無效, 4 檔案錯誤或拒絕降級, 5 已中斷。</translation>
    </message>
    <message>
        <source>打印每个数值列的统计 (条数, 最小, 最大, 平均) 代替记录</source>
        <translation>列印每個數值欄的統計 (筆數, 最小, 最大, 平均) 代替記錄</translation>
    </message>
</context>
<context>
    <name>ClockSync</name>
    <message>
        <source>同步时间</source>
        <translation>同步時間</translation>
    </message>
    <message>
        <source>同步时间已取消</source>
        <translation>同步時間已取消</translation>
    </message>
    <message>
        <source>同步时间失败</source>
        <translation>同步時間失敗</translation>
    </message>
    <message>
        <source>同步时间成功</source>
        <translation>同步時間成功</translation>
    </message>
    <message>
        <source>时间 %1 超出仪器的时钟范围 (%2 年至 %3 年), 未发送</source>
        <translation>時間 %1 超出儀器的時鐘範圍 (%2 年至 %3 年), 未發送</translation>
    </message>
</context>
<context>
    <name>ComparisonDialog</name>
    <message>
        <source>文件中有 %1 项与设备不同, 勾选的项将作为修改显示, 写入前仍会确认。%2 项不能导入。</source>
        <translation>檔案中有 %1 項與設備不同, 勾選的項將作為修改顯示, 寫入前仍會確認。%2 項不能匯入。</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>編號</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>檔案</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>設備</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>說明</translation>
    </message>
    <message>
        <source>采用勾选项</source>
        <translation>採用勾選項</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>导入前须先读取设备的配置, 以便与文件比较。
请先刷新, 再导入。</source>
        <translation>匯入前須先讀取設備的配置, 以便與檔案比較。
請先重新整理, 再匯入。</translation>
    </message>
</context>
<context>
    <name>ComparisonTexts</name>
    <message>
        <source>(未知)</source>
        <translation>(未知)</translation>
    </message>
    <message>
        <source>此文件来自另一型号的设备 (文件: %1, 已连接的设备: %2)。%3 项的名称与设备不符, 不能导入。</source>
        <translation>此檔案來自另一型號的設備 (檔案: %1, 已連接的設備: %2)。%3 項的名稱與設備不符, 不能匯入。</translation>
    </message>
    <message>
        <source>此文件来自另一台设备 (文件的序列号: %1, 已连接的设备: %2)。</source>
        <translation>此檔案來自另一台設備 (檔案的序號: %1, 已連接的設備: %2)。</translation>
    </message>
    <message>
        <source>设备时钟, 默认不写入</source>
        <translation>設備時鐘, 預設不寫入</translation>
    </message>
    <message>
        <source>上次写入时设备未接受</source>
        <translation>上次寫入時設備未接受</translation>
    </message>
    <message>
        <source>相同</source>
        <translation>相同</translation>
    </message>
    <message>
        <source>设备标识, 不写入</source>
        <translation>設備識別, 不寫入</translation>
    </message>
    <message>
        <source>操作项, 不执行</source>
        <translation>操作項, 不執行</translation>
    </message>
    <message>
        <source>名称不同, 不导入</source>
        <translation>名稱不同, 不匯入</translation>
    </message>
    <message>
        <source>设备没有此项, 不导入</source>
        <translation>設備沒有此項, 不匯入</translation>
    </message>
    <message>
        <source>设备只报告此项, 不写入</source>
        <translation>設備只回報此項, 不寫入</translation>
    </message>
</context>
<context>
    <name>ConfigBackup</name>
    <message>
        <source>备份</source>
        <translation>備份</translation>
    </message>
    <message>
        <source>无法创建备份文件夹: %1</source>
        <translation>無法建立備份資料夾: %1</translation>
    </message>
    <message>
        <source>备份失败, 未写入设备: %1</source>
        <translation>備份失敗, 未寫入設備: %1</translation>
    </message>
    <message>
        <source>已备份到 %1</source>
        <translation>已備份到 %1</translation>
    </message>
</context>
<context>
    <name>ConfigCsv</name>
    <message>
        <source>导出配置</source>
        <translation>匯出設定</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>無法開啟檔案: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>無法儲存檔案: %1</translation>
    </message>
    <message>
        <source>导出配置成功</source>
        <translation>匯出設定成功</translation>
    </message>
    <message>
        <source>导入配置</source>
        <translation>匯入設定</translation>
    </message>
    <message>
        <source>配置项编号必须在 0 到 255 之间</source>
        <translation>設定項編號必須在 0 到 255 之間</translation>
    </message>
    <message>
        <source>引号必须紧跟在逗号之后并成对出现</source>
        <translation>引號必須緊跟在逗號之後並成對出現</translation>
    </message>
    <message>
        <source>文件解析错误: %1 第 %2 行</source>
        <translation>檔案解析錯誤: %1 第 %2 行</translation>
    </message>
    <message>
        <source>配置项 %1 是设备的调试开关, 不能从文件写入</source>
        <translation>設定項 %1 是設備的除錯開關, 不能從檔案寫入</translation>
    </message>
    <message>
        <source>文件编码无法识别: 既不是 UTF-8 也不是 GB18030 文本</source>
        <translation>檔案編碼無法識別: 既不是 UTF-8 也不是 GB18030 文字</translation>
    </message>
</context>
<context>
    <name>ConfigFiles</name>
    <message>
        <source>正在导出配置......</source>
        <translation>正在匯出設定......</translation>
    </message>
    <message>
        <source>正在导入配置......</source>
        <translation>正在匯入設定......</translation>
    </message>
</context>
<context>
    <name>ConfigReads</name>
    <message>
        <source>正在读取 %1/%2 ……</source>
        <translation>正在讀取 %1/%2 ……</translation>
    </message>
    <message>
        <source>正在读取 %1 ……</source>
        <translation>正在讀取 %1 ……</translation>
    </message>
    <message>
        <source>已读取 %1 项</source>
        <translation>已讀取 %1 項</translation>
    </message>
    <message>
        <source>读取中断: 已读 %1 项, 配置树保持读取前的内容</source>
        <translation>讀取中斷: 已讀 %1 項, 配置樹保持讀取前的內容</translation>
    </message>
</context>
<context>
    <name>ConfigTree</name>
    <message>
        <source>已修改, 尚未写入; 设备中为 %1</source>
        <translation>已修改, 尚未寫入; 設備中為 %1</translation>
    </message>
    <message>
        <source>已修改, 尚未写入; 设备中的值未读取</source>
        <translation>已修改, 尚未寫入; 設備中的值未讀取</translation>
    </message>
    <message>
        <source>设备未接受写入的值, 仍为 %1</source>
        <translation>設備未接受寫入的值, 仍為 %1</translation>
    </message>
    <message>
        <source>操作项: 双击后由设备执行</source>
        <translation>操作項: 按兩下後由設備執行</translation>
    </message>
    <message>
        <source>只读: 设备测得的值, 不能写入</source>
        <translation>唯讀: 設備量測的值, 無法寫入</translation>
    </message>
    <message>
        <source>只读: 由设备出厂设定, 不能写入</source>
        <translation>唯讀: 由設備出廠設定, 無法寫入</translation>
    </message>
    <message>
        <source>只读: 设备时钟请用“同步时间”设置</source>
        <translation>唯讀: 設備時鐘請用“同步時間”設定</translation>
    </message>
    <message>
        <source>按 F5 读取仪器配置</source>
        <translation>按 F5 讀取儀器設定</translation>
    </message>
    <message>
        <source>编辑(&amp;E)...</source>
        <translation>編輯(&amp;E)...</translation>
    </message>
    <message>
        <source>复制值(&amp;V)</source>
        <translation>複製值(&amp;V)</translation>
    </message>
    <message>
        <source>复制名称和值(&amp;C)</source>
        <translation>複製名稱和值(&amp;C)</translation>
    </message>
    <message>
        <source>复制全部(&amp;A)</source>
        <translation>複製全部(&amp;A)</translation>
    </message>
</context>
<context>
    <name>ConfigWorker</name>
    <message>
        <source>测试连接</source>
        <translation>測試連線</translation>
    </message>
    <message>
        <source>测试连接已取消</source>
        <translation>測試連線已取消</translation>
    </message>
    <message>
        <source>设备应答了, 但应答无效: %1</source>
        <translation>設備回應了, 但回應無效: %1</translation>
    </message>
    <message>
        <source>设备已应答, 用时 %1 ms</source>
        <translation>設備已回應, 用時 %1 ms</translation>
    </message>
</context>
<context>
    <name>ConfigWriter</name>
    <message>
        <source>写入配置</source>
        <translation>寫入設定</translation>
    </message>
    <message>
        <source>写入错误,连接设备失败</source>
        <translation>寫入錯誤,無法連線至裝置</translation>
    </message>
    <message>
        <source>写入已取消, 已写入 %1 项</source>
        <translation>寫入已取消, 已寫入 %1 項</translation>
    </message>
    <message>
        <source>写入配置失败: %1</source>
        <translation>寫入設定失敗: %1</translation>
    </message>
    <message>
        <source>没有可写入的配置项</source>
        <translation>沒有可寫入的設定項</translation>
    </message>
    <message>
        <source>写入配置成功</source>
        <translation>寫入設定成功</translation>
    </message>
    <message>
        <source>、</source>
        <translation>、</translation>
    </message>
    <message>
        <source> 等</source>
        <translation> 等</translation>
    </message>
    <message>
        <source>写入配置完成, %1 项未被设备接受: %2</source>
        <translation>寫入設定完成, %1 項未被裝置接受: %2</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>寫入</translation>
    </message>
    <message>
        <source>数值含有设备无法表示的字符: %1 (U+%2)</source>
        <translation>數值含有裝置無法表示的字元: %1 (U+%2)</translation>
    </message>
    <message>
        <source>数值含有空字符 (U+0000)</source>
        <translation>數值含有空字元 (U+0000)</translation>
    </message>
    <message>
        <source>数值过长: 编码后 %1 字节, 最多允许 %2 字节</source>
        <translation>數值過長: 編碼後 %1 位元組, 最多允許 %2 位元組</translation>
    </message>
    <message>
        <source>数值过长: 最多允许 %1 字节</source>
        <translation>數值過長: 最多允許 %1 位元組</translation>
    </message>
    <message>
        <source>硬件返回数据校验错误</source>
        <translation>裝置回傳的資料驗證錯誤</translation>
    </message>
    <message>
        <source>写入配置失败,该项不支持修改</source>
        <translation>寫入設定失敗,此項目不支援修改</translation>
    </message>
    <message>
        <source>“%1”的名称与数值过长: 设备的应答为 %2 字节, 最多 %3 字节</source>
        <translation>“%1”的名稱與數值過長: 設備的應答為 %2 位元組, 最多 %3 位元組</translation>
    </message>
</context>
<context>
    <name>ConfigWrites</name>
    <message>
        <source>正在写入 %1/%2 ……</source>
        <translation>正在寫入 %1/%2 ……</translation>
    </message>
</context>
<context>
    <name>ConnectionBar</name>
    <message>
        <source>尚未通讯</source>
        <translation>尚未通訊</translation>
    </message>
    <message>
        <source>%1 有应答</source>
        <translation>%1 有回應</translation>
    </message>
    <message>
        <source>%1 无应答</source>
        <translation>%1 無回應</translation>
    </message>
    <message>
        <source>%1 | 设备地址 %2 | %3</source>
        <translation>%1 | 設備位址 %2 | %3</translation>
    </message>
    <message>
        <source>等待应答… %1 s</source>
        <translation>等待回應… %1 s</translation>
    </message>
</context>
<context>
    <name>DDbServer</name>
    <message>
        <source>解析文件失败,文件不存在或拒绝访问!</source>
        <translation>解析檔案失敗,檔案不存在或拒絕存取!</translation>
    </message>
    <message>
        <source>解析文件失败,打开文件失败,请检查文件类型!</source>
        <translation>解析檔案失敗,開啟檔案失敗,請檢查檔案類型!</translation>
    </message>
    <message>
        <source>解析文件失败,文件操作失败!</source>
        <translation>解析檔案失敗,檔案操作失敗!</translation>
    </message>
    <message>
        <source>解析文件失败,无法获取文件内容!</source>
        <translation>解析檔案失敗,無法取得檔案內容!</translation>
    </message>
    <message>
        <source>解析文件失败,文件校验失败!</source>
        <translation>解析檔案失敗,檔案驗證失敗!</translation>
    </message>
    <message>
        <source>解析文件失败,文件内容格式错误!</source>
        <translation>解析檔案失敗,檔案內容格式錯誤!</translation>
    </message>
</context>
<context>
    <name>DeviceTypeMgr</name>
    <message>
        <source>获取设备列表失败,请重试!</source>
        <translation>取得裝置清單失敗,請重試!</translation>
    </message>
    <message>
        <source>下载页面大于 %1 MiB</source>
        <translation>下載頁面大於 %1 MiB</translation>
    </message>
</context>
<context>
    <name>DisplayForm</name>
    <message>
        <source>[行过长, 在此截断]</source>
        <translation>[行過長, 在此截斷]</translation>
    </message>
    <message>
        <source>[行不完整]</source>
        <translation>[行不完整]</translation>
    </message>
</context>
<context>
    <name>DownloadThread</name>
    <message>
        <source>下载失败,链接不是 http 或 https 地址: %1</source>
        <translation>下載失敗,連結不是 http 或 https 網址: %1</translation>
    </message>
    <message>
        <source>下载失败,https 页面上的链接也必须是 https: %1</source>
        <translation>下載失敗,https 頁面上的連結也必須是 https: %1</translation>
    </message>
    <message>
        <source>下载失败,文件名不合法: %1</source>
        <translation>下載失敗,檔名不合法: %1</translation>
    </message>
    <message>
        <source>下载失败,打开文件失败: %1</source>
        <translation>下載失敗,開啟檔案失敗: %1</translation>
    </message>
    <message>
        <source>下载异常: 文件大于 %1 MiB</source>
        <translation>下載異常: 檔案大於 %1 MiB</translation>
    </message>
    <message>
        <source>下载异常: 收到的数据多于声明的 %1 字节</source>
        <translation>下載異常: 收到的資料多於宣告的 %1 位元組</translation>
    </message>
    <message>
        <source>下载异常: %1</source>
        <translation>下載異常: %1</translation>
    </message>
    <message>
        <source>%1 秒内收到的数据不足 1 KiB</source>
        <translation>%1 秒內收到的資料不足 1 KiB</translation>
    </message>
    <message>
        <source>下载异常: 未找到该文件或下载失败</source>
        <translation>下載異常: 找不到該檔案或下載失敗</translation>
    </message>
    <message>
        <source>服务器的响应头过大</source>
        <translation>伺服器的回應標頭過大</translation>
    </message>
    <message>
        <source>%1 秒内未能完成</source>
        <translation>%1 秒內未能完成</translation>
    </message>
    <message>
        <source>不支持的压缩方式: %1</source>
        <translation>不支援的壓縮方式: %1</translation>
    </message>
    <message>
        <source>服务器的回答无效</source>
        <translation>伺服器的回應無效</translation>
    </message>
</context>
<context>
    <name>FlashCommand</name>
    <message>
        <source>拒绝降级: 固件包的版本 %1 比仪器的版本 %2 旧; 确要降级请加 --allow-downgrade</source>
        <translation>拒絕降級: 韌體包的版本 %1 比儀器的版本 %2 舊; 確定要降級請加 --allow-downgrade</translation>
    </message>
    <message>
        <source>固件更新成功!</source>
        <translation>韌體更新成功!</translation>
    </message>
</context>
<context>
    <name>HistoryChart</name>
    <message>
        <source>复位</source>
        <translation>重設</translation>
    </message>
    <message>
        <source>显示全部记录</source>
        <translation>顯示全部記錄</translation>
    </message>
    <message>
        <source>导出图像...</source>
        <translation>匯出圖像...</translation>
    </message>
    <message>
        <source>归一化 (0 最小, 1 最大)</source>
        <translation>正規化 (0 最小, 1 最大)</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>寫入檔案失敗: %1</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>開啟檔案失敗: %1</translation>
    </message>
    <message>
        <source>PNG 图像 (*.png)</source>
        <translation>PNG 圖像 (*.png)</translation>
    </message>
    <message>
        <source>SVG 图像 (*.svg)</source>
        <translation>SVG 圖像 (*.svg)</translation>
    </message>
    <message>
        <source>导出图像</source>
        <translation>匯出圖像</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>无法导出 PDF: 没有字体</source>
        <translation>無法匯出 PDF: 沒有字型</translation>
    </message>
    <message>
        <source>导出历史数据</source>
        <translation>匯出歷史資料</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>開啟檔案失敗: %1</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>查詢</translation>
    </message>
    <message>
        <source>传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。</source>
        <translation>傳輸中斷: 最後一筆記錄不完整, 已捨棄。已收到 %1 筆完整記錄。</translation>
    </message>
    <message>
        <source>仪器在发送调试信息, 历史记录可能不完整</source>
        <translation>儀器在傳送除錯資訊, 歷史記錄可能不完整</translation>
    </message>
    <message>
        <source>已达到记录上限 %1 条, 查询已停止。</source>
        <translation>已達到記錄上限 %1 筆, 查詢已停止。</translation>
    </message>
    <message>
        <source>已导出 %1 条记录到 %2</source>
        <translation>已匯出 %1 筆記錄到 %2</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>寫入檔案失敗: %1</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>传输中丢失了 %1 个数据报, 记录可能不完整。</source>
        <translation>傳輸中遺失了 %1 個資料包, 記錄可能不完整。</translation>
    </message>
</context>
<context>
    <name>HistoryData</name>
    <message>
        <source>历史数据</source>
        <translation>歷史資料</translation>
    </message>
    <message>
        <source>起始日期:</source>
        <translation>起始日期:</translation>
    </message>
    <message>
        <source>结束日期:</source>
        <translation>結束日期:</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>查詢</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>匯出CSV</translation>
    </message>
    <message>
        <source>导出PDF</source>
        <translation>匯出PDF</translation>
    </message>
    <message>
        <source>仪器的其他输出 (不是记录):</source>
        <translation>儀器的其他輸出 (不是記錄):</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>正在查询… 已收到 %1 条记录, 用时 %2</source>
        <translation>正在查詢… 已收到 %1 筆記錄, 用時 %2</translation>
    </message>
    <message>
        <source>已停止: 收到 %1 条记录</source>
        <translation>已停止: 收到 %1 筆記錄</translation>
    </message>
    <message>
        <source>已收到 %1 条记录, 用时 %2</source>
        <translation>已收到 %1 筆記錄, 用時 %2</translation>
    </message>
    <message>
        <source>传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。</source>
        <translation>傳輸中斷: 最後一筆記錄不完整, 已捨棄。已收到 %1 筆完整記錄。</translation>
    </message>
    <message>
        <source>已收到的 %1 条完整记录已保留。</source>
        <translation>已收到的 %1 筆完整記錄已保留。</translation>
    </message>
    <message>
        <source>仪器在发送调试信息, 历史记录可能不完整</source>
        <translation>儀器在傳送除錯資訊, 歷史記錄可能不完整</translation>
    </message>
    <message>
        <source>已达到记录上限 %1 条, 查询已停止。</source>
        <translation>已達到記錄上限 %1 筆, 查詢已停止。</translation>
    </message>
    <message>
        <source>起始日期应该小于或等于结束日期</source>
        <translation>起始日期應該小於或等於結束日期</translation>
    </message>
    <message>
        <source>导出历史数据</source>
        <translation>匯出歷史資料</translation>
    </message>
    <message>
        <source>没有可导出的记录</source>
        <translation>沒有可匯出的記錄</translation>
    </message>
    <message>
        <source>正在查询历史记录。停止查询并关闭窗口吗?</source>
        <translation>正在查詢歷史記錄。停止查詢並關閉視窗嗎?</translation>
    </message>
    <message>
        <source>是</source>
        <translation>是</translation>
    </message>
    <message>
        <source>否</source>
        <translation>否</translation>
    </message>
    <message>
        <source>范围…</source>
        <translation>範圍…</translation>
    </message>
    <message>
        <source>今天</source>
        <translation>今天</translation>
    </message>
    <message>
        <source>最近 7 天</source>
        <translation>最近 7 天</translation>
    </message>
    <message>
        <source>最近 30 天</source>
        <translation>最近 30 天</translation>
    </message>
    <message>
        <source>本月</source>
        <translation>本月</translation>
    </message>
    <message>
        <source>复制摘要</source>
        <translation>複製摘要</translation>
    </message>
    <message>
        <source>表格</source>
        <translation>表格</translation>
    </message>
    <message>
        <source>原文</source>
        <translation>原文</translation>
    </message>
    <message>
        <source>表格 CSV (*.csv)</source>
        <translation>表格 CSV (*.csv)</translation>
    </message>
    <message>
        <source>记录原文 (*.csv)</source>
        <translation>記錄原文 (*.csv)</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>開啟檔案失敗: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>寫入檔案失敗: %1</translation>
    </message>
    <message>
        <source>已导出 %1 条记录到 %2</source>
        <translation>已匯出 %1 筆記錄到 %2</translation>
    </message>
    <message>
        <source>%1: %2 条, 最小 %3 (%4), 最大 %5 (%6), 平均 %7</source>
        <translation>%1: %2 筆, 最小 %3 (%4), 最大 %5 (%6), 平均 %7</translation>
    </message>
    <message>
        <source>传输中丢失了 %1 个数据报, 记录可能不完整。</source>
        <translation>傳輸中遺失了 %1 個資料包, 記錄可能不完整。</translation>
    </message>
</context>
<context>
    <name>HistoryExport</name>
    <message>
        <source>打开文件失败: %1</source>
        <translation>開啟檔案失敗: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>寫入檔案失敗: %1</translation>
    </message>
    <message>
        <source>%1 至 %2</source>
        <translation>%1 至 %2</translation>
    </message>
    <message>
        <source>导出于 %1</source>
        <translation>匯出於 %1</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>歷史資料</translation>
    </message>
    <message>
        <source>第 %1 页 / 共 %2 页</source>
        <translation>第 %1 頁 / 共 %2 頁</translation>
    </message>
    <message>
        <source>导出数据失败，数据格式错误</source>
        <translation>匯出資料失敗，資料格式錯誤</translation>
    </message>
    <message>
        <source>导出数据失败，字体太大，一页放不下一行</source>
        <translation>匯出資料失敗，字型太大，一頁放不下一列</translation>
    </message>
    <message>
        <source>型号 %1</source>
        <translation>型號 %1</translation>
    </message>
    <message>
        <source>序列号 %1</source>
        <translation>序號 %1</translation>
    </message>
    <message>
        <source>统计</source>
        <translation>統計</translation>
    </message>
    <message>
        <source>列</source>
        <translation>欄</translation>
    </message>
    <message>
        <source>条数</source>
        <translation>筆數</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>最小时刻</source>
        <translation>最小時刻</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>最大时刻</source>
        <translation>最大時刻</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>平均</translation>
    </message>
    <message>
        <source>趋势</source>
        <translation>趨勢</translation>
    </message>
    <message>
        <source>归一化 (0 最小, 1 最大)</source>
        <translation>正規化 (0 最小, 1 最大)</translation>
    </message>
</context>
<context>
    <name>LinkSettings</name>
    <message>
        <source>设置 %1 的值无效: %2</source>
        <translation>設定 %1 的值無效: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>toolBar</translation>
    </message>
    <message>
        <source>通讯设置</source>
        <translation>通訊設定</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>重新整理</translation>
    </message>
    <message>
        <source>导入配置</source>
        <translation>匯入設定</translation>
    </message>
    <message>
        <source>导出配置</source>
        <translation>匯出設定</translation>
    </message>
    <message>
        <source>同步时间</source>
        <translation>同步時間</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>歷史資料</translation>
    </message>
    <message>
        <source>更新固件</source>
        <translation>更新韌體</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <source>设备监听</source>
        <translation>裝置監聽</translation>
    </message>
    <message>
        <source>写入修改</source>
        <translation>寫入修改</translation>
    </message>
    <message>
        <source>恢复备份...</source>
        <translation>還原備份...</translation>
    </message>
    <message>
        <source>测试连接</source>
        <translation>測試連線</translation>
    </message>
    <message>
        <source>准备就绪</source>
        <translation>就緒</translation>
    </message>
    <message>
        <source>无法保存设置: %1 不可写入</source>
        <translation>無法儲存設定: %1 無法寫入</translation>
    </message>
    <message>
        <source>另一项配置操作尚未结束, 请稍候</source>
        <translation>另一項設定作業尚未結束, 請稍候</translation>
    </message>
    <message>
        <source>%1 项修改未写入</source>
        <translation>%1 項修改未寫入</translation>
    </message>
    <message>
        <source>有 %1 项修改尚未写入设备, 刷新会以设备中的值替换它们。
仍要刷新吗?</source>
        <translation>有 %1 項修改尚未寫入設備, 重新整理會以設備中的值取代它們。
仍要重新整理嗎?</translation>
    </message>
    <message>
        <source>正在读取 ……</source>
        <translation>正在讀取 ……</translation>
    </message>
    <message>
        <source>正在写入配置。关闭窗口会中断写入, 尚未写入的项不会写入。
仍要关闭吗?</source>
        <translation>正在寫入配置。關閉視窗會中斷寫入, 尚未寫入的項不會寫入。
仍要關閉嗎?</translation>
    </message>
    <message>
        <source>正在写入配置......</source>
        <translation>正在寫入設定......</translation>
    </message>
    <message>
        <source>设备将执行“%1”。
确定要继续吗?</source>
        <translation>設備將執行「%1」。
確定要繼續嗎?</translation>
    </message>
    <message>
        <source>“%1”不是数值。此项的值是一个数 (当前为 %2), 请输入数字。</source>
        <translation>「%1」不是數值。此項的值是一個數 (目前為 %2), 請輸入數字。</translation>
    </message>
    <message>
        <source>“%1”不是此项的可选值。</source>
        <translation>「%1」不是此項的可選值。</translation>
    </message>
    <message>
        <source>正在写入 %1 ……</source>
        <translation>正在寫入 %1 ……</translation>
    </message>
    <message>
        <source>正在写入 ……</source>
        <translation>正在寫入 ……</translation>
    </message>
    <message>
        <source>(未读取)</source>
        <translation>(未讀取)</translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation>%1: %2 → %3</translation>
    </message>
    <message>
        <source>没有需要写入的修改</source>
        <translation>沒有需要寫入的修改</translation>
    </message>
    <message>
        <source>将以下 %1 项写入设备:</source>
        <translation>將以下 %1 項寫入設備:</translation>
    </message>
    <message>
        <source>…… 其余 %1 项见详细信息</source>
        <translation>…… 其餘 %1 項見詳細資訊</translation>
    </message>
    <message>
        <source>正在同步时间 ……</source>
        <translation>正在同步時間 ……</translation>
    </message>
    <message>
        <source>正在测试连接 ……</source>
        <translation>正在測試連線 ……</translation>
    </message>
    <message>
        <source>请检查通讯设置中的地址、端口、串口线和设备地址。</source>
        <translation>請檢查通訊設定中的位址、連接埠、串列線和設備位址。</translation>
    </message>
    <message>
        <source>操作(&amp;O)</source>
        <translation>操作(&amp;O)</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>語言(&amp;L)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>說明(&amp;H)</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>關於(&amp;A)</translation>
    </message>
    <message>
        <source>恢复备份(&amp;B)...</source>
        <translation>還原備份(&amp;B)...</translation>
    </message>
    <message>
        <source>测试连接(&amp;T)</source>
        <translation>測試連線(&amp;T)</translation>
    </message>
    <message>
        <source>使用手册(&amp;M)</source>
        <translation>使用手冊(&amp;M)</translation>
    </message>
    <message>
        <source>使用手册</source>
        <translation>使用手冊</translation>
    </message>
    <message>
        <source>请检查串口是否存在 (适配器已插好)、是否被其他程序占用, 以及通讯设置中的串口名。</source>
        <translation>請檢查序列埠是否存在 (轉接器已插好)、是否被其他程式佔用, 以及通訊設定中的序列埠名稱。</translation>
    </message>
    <message>
        <source>在 Linux 上, 串口属于 dialout 组: 执行 sudo usermod -aG dialout &quot;$USER&quot; 后重新登录, 再用 ls -l 与 id 核对权限。</source>
        <translation>在 Linux 上, 序列埠屬於 dialout 群組: 執行 sudo usermod -aG dialout &quot;$USER&quot; 後重新登入, 再用 ls -l 與 id 核對權限。</translation>
    </message>
    <message>
        <source>来自 %1 的读取</source>
        <translation>來自 %1 的讀取</translation>
    </message>
    <message>
        <source>设备时钟已设为 %1</source>
        <translation>設備時鐘已設為 %1</translation>
    </message>
    <message>
        <source>通讯设置(&amp;C)</source>
        <translation>通訊設定(&amp;C)</translation>
    </message>
    <message>
        <source>刷新(&amp;R)</source>
        <translation>重新整理(&amp;R)</translation>
    </message>
    <message>
        <source>导入配置(&amp;I)</source>
        <translation>匯入設定(&amp;I)</translation>
    </message>
    <message>
        <source>导出配置(&amp;E)</source>
        <translation>匯出設定(&amp;E)</translation>
    </message>
    <message>
        <source>同步时间(&amp;S)</source>
        <translation>同步時間(&amp;S)</translation>
    </message>
    <message>
        <source>历史数据(&amp;H)</source>
        <translation>歷史資料(&amp;H)</translation>
    </message>
    <message>
        <source>更新固件(&amp;F)</source>
        <translation>更新韌體(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;English</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <source>简体中文(&amp;S)</source>
        <translation>简体中文(&amp;S)</translation>
    </message>
    <message>
        <source>繁體中文(&amp;T)</source>
        <translation>繁體中文(&amp;T)</translation>
    </message>
    <message>
        <source>设备监听(&amp;M)</source>
        <translation>裝置監聽(&amp;M)</translation>
    </message>
    <message>
        <source>写入修改(&amp;G)</source>
        <translation>寫入修改(&amp;G)</translation>
    </message>
    <message>
        <source>请检查设备是否已上电并接入网络、与本机是否在同一网段, 以及防火墙是否放行 UDP 端口 %1 的广播和应答。</source>
        <translation>請檢查設備是否已通電並接入網路、與本機是否在同一網段, 以及防火牆是否放行 UDP 連接埠 %1 的廣播和回應。</translation>
    </message>
    <message>
        <source>查找设备</source>
        <translation>尋找裝置</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>找不到裝置</translation>
    </message>
    <message>
        <source>写入全部配置(&amp;W)...</source>
        <translation>寫入全部設定(&amp;W)...</translation>
    </message>
    <message>
        <source>写入全部配置</source>
        <translation>寫入全部設定</translation>
    </message>
</context>
<context>
    <name>ManualWindow</name>
    <message>
        <source>使用手册</source>
        <translation>使用手冊</translation>
    </message>
</context>
<context>
    <name>ModifyDialog</name>
    <message>
        <source>Dialog</source>
        <translation>編輯項目</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>寫入</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MonitorDialog</name>
    <message>
        <source>设备监听</source>
        <translation>裝置監聽</translation>
    </message>
    <message>
        <source>原始数据</source>
        <translation>原始資料</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>十六進位</translation>
    </message>
    <message>
        <source>原始数据 + 十六进制</source>
        <translation>原始資料 + 十六進位</translation>
    </message>
    <message>
        <source>时间戳</source>
        <translation>時間戳</translation>
    </message>
    <message>
        <source>原始数据也带上接收时间和字节数</source>
        <translation>原始資料也帶上接收時間和位元組數</translation>
    </message>
    <message>
        <source>调试信息</source>
        <translation>偵錯訊息</translation>
    </message>
    <message>
        <source>开始监听</source>
        <translation>開始監聽</translation>
    </message>
    <message>
        <source>停止监听</source>
        <translation>停止監聽</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>查找 (Ctrl+F)</source>
        <translation>尋找 (Ctrl+F)</translation>
    </message>
    <message>
        <source>上一个</source>
        <translation>上一個</translation>
    </message>
    <message>
        <source>下一个</source>
        <translation>下一個</translation>
    </message>
    <message>
        <source>筛选: 只显示含有此文字的行</source>
        <translation>篩選: 只顯示含有此文字的行</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>暫停</translation>
    </message>
    <message>
        <source>跟随</source>
        <translation>跟隨</translation>
    </message>
    <message>
        <source>记录到文件…</source>
        <translation>記錄到檔案…</translation>
    </message>
    <message>
        <source>记录到文件</source>
        <translation>記錄到檔案</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>无法写入文件 %1: %2</source>
        <translation>無法寫入檔案 %1: %2</translation>
    </message>
    <message>
        <source>停止记录</source>
        <translation>停止記錄</translation>
    </message>
    <message>
        <source>记录到: %1</source>
        <translation>記錄到: %1</translation>
    </message>
    <message>
        <source>文本文件 (*.txt *.log)</source>
        <translation>文字檔 (*.txt *.log)</translation>
    </message>
    <message>
        <source>监听中…  %1 行, %2 行/秒</source>
        <translation>監聽中…  %1 行, %2 行/秒</translation>
    </message>
    <message>
        <source>已停止  %1 行</source>
        <translation>已停止  %1 行</translation>
    </message>
    <message>
        <source>,  丢失 %1 个数据报</source>
        <translation>,  遺失 %1 個資料包</translation>
    </message>
    <message>
        <source>保存显示内容…</source>
        <translation>儲存顯示內容…</translation>
    </message>
    <message>
        <source>把视图中显示的行按当前显示方式保存到文件</source>
        <translation>把檢視中顯示的行按目前顯示方式儲存到檔案</translation>
    </message>
    <message>
        <source>保存显示内容</source>
        <translation>儲存顯示內容</translation>
    </message>
</context>
<context>
    <name>MonitorThread</name>
    <message>
        <source>设备监听</source>
        <translation>裝置監聽</translation>
    </message>
    <message>
        <source>监听调试</source>
        <translation>監聽偵錯</translation>
    </message>
</context>
<context>
    <name>NeutralAboutDialog</name>
    <message>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>版本 %1, 构建于 %2, Qt %3</source>
        <translation>版本 %1, 建置於 %2, Qt %3</translation>
    </message>
    <message>
        <source>许可: 专有软件, 仅供配置 ZQ 系列仪器使用; Qt 按 LGPL 第 3 版使用。</source>
        <translation>授權: 專有軟體, 僅供設定 ZQ 系列儀器使用; Qt 依 LGPL 第 3 版使用。</translation>
    </message>
    <message>
        <source>设置文件 config.ini:</source>
        <translation>設定檔 config.ini:</translation>
    </message>
    <message>
        <source>配置备份:</source>
        <translation>設定備份:</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>開啟資料夾</translation>
    </message>
</context>
<context>
    <name>OperationsLog</name>
    <message>
        <source>操作记录</source>
        <translation>操作記錄</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>連線</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>操作记录(&amp;L)</source>
        <translation>操作記錄(&amp;L)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>訊息</translation>
    </message>
    <message>
        <source>CRC校验错误</source>
        <translation>CRC 檢查碼錯誤</translation>
    </message>
    <message>
        <source>发送命令超时</source>
        <translation>傳送命令逾時</translation>
    </message>
    <message>
        <source>接收数据超时</source>
        <translation>接收資料逾時</translation>
    </message>
    <message>
        <source>未定义的错误</source>
        <translation>未定義的錯誤</translation>
    </message>
    <message>
        <source>串口打开失败</source>
        <translation>無法開啟序列埠</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>無法開啟序列埠: %1</translation>
    </message>
    <message>
        <source>接受数据超时</source>
        <translation>接收資料逾時</translation>
    </message>
    <message>
        <source>发送命令失败</source>
        <translation>傳送命令失敗</translation>
    </message>
    <message>
        <source>请选择设备</source>
        <translation>請選擇裝置</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>RecordTableModel</name>
    <message>
        <source>日期</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>第 %1 列</source>
        <translation>第 %1 欄</translation>
    </message>
</context>
<context>
    <name>RefreshThread</name>
    <message>
        <source>... (共 %1 字节)</source>
        <translation>... (共 %1 位元組)</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>重新整理</translation>
    </message>
    <message>
        <source>数据长度校验错误 : 
%1</source>
        <translation>資料長度驗證錯誤 : 
%1</translation>
    </message>
    <message>
        <source>地址或命令校验错误: 
%1</source>
        <translation>位址或命令驗證錯誤: 
%1</translation>
    </message>
</context>
<context>
    <name>SearchCommand</name>
    <message>
        <source>没有仪器应答</source>
        <translation>沒有儀器回應</translation>
    </message>
</context>
<context>
    <name>SearchDeviceDialog</name>
    <message>
        <source>查找设备</source>
        <translation>尋找裝置</translation>
    </message>
    <message>
        <source>重新搜索</source>
        <translation>重新搜尋</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1    地址 %2    端口 %3</source>
        <translation>%1    位址 %2    連接埠 %3</translation>
    </message>
    <message>
        <source>正在查找设备...</source>
        <translation>正在尋找裝置...</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>找不到裝置</translation>
    </message>
    <message>
        <source>找到 %1 台设备</source>
        <translation>找到 %1 台裝置</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <source>串口设置</source>
        <translation>通訊設定</translation>
    </message>
    <message>
        <source>Serial通讯</source>
        <translation>序列埠通訊</translation>
    </message>
    <message>
        <source>串口号：</source>
        <translation>序列埠：</translation>
    </message>
    <message>
        <source>波特率：</source>
        <translation>鮑率：</translation>
    </message>
    <message>
        <source>数据位：</source>
        <translation>資料位元：</translation>
    </message>
    <message>
        <source>奇偶校验：</source>
        <translation>同位檢查：</translation>
    </message>
    <message>
        <source>停止位：</source>
        <translation>停止位元：</translation>
    </message>
    <message>
        <source>RTS</source>
        <translation>RTS</translation>
    </message>
    <message>
        <source>DTR</source>
        <translation>DTR</translation>
    </message>
    <message>
        <source>Udp通讯</source>
        <translation>UDP 通訊</translation>
    </message>
    <message>
        <source>地址：</source>
        <translation>位址：</translation>
    </message>
    <message>
        <source>端口：</source>
        <translation>連接埠：</translation>
    </message>
    <message>
        <source>查找设备</source>
        <translation>尋找裝置</translation>
    </message>
    <message>
        <source>设备地址：</source>
        <translation>裝置位址：</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>请选择串口!</source>
        <translation>請選擇序列埠!</translation>
    </message>
    <message>
        <source>请选择波特率!</source>
        <translation>請選擇鮑率!</translation>
    </message>
    <message>
        <source>波特率超出范围!</source>
        <translation>鮑率超出範圍!</translation>
    </message>
    <message>
        <source>请输入UDP地址</source>
        <translation>請輸入 UDP 位址</translation>
    </message>
    <message>
        <source>None</source>
        <translation>無</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>偶同位</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>奇同位</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>空白</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>標記</translation>
    </message>
    <message>
        <source>UDP地址无效, 请输入 IPv4 或 IPv6 地址</source>
        <translation>UDP位址無效, 請輸入 IPv4 或 IPv6 位址</translation>
    </message>
    <message>
        <source>请输入UDP端口</source>
        <translation>請輸入 UDP 連接埠</translation>
    </message>
    <message>
        <source>UDP端口必须是 1 到 65535 之间的数字</source>
        <translation>UDP連接埠必須是 1 到 65535 之間的數字</translation>
    </message>
    <message>
        <source>UDP端口不能大于65535</source>
        <translation>UDP 連接埠不可大於 65535</translation>
    </message>
</context>
<context>
    <name>UpdateConfirmation</name>
    <message>
        <source>更新固件</source>
        <translation>更新韌體</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>仪器: 型号 %1, 固件版本 %2</source>
        <translation>儀器: 型號 %1, 韌體版本 %2</translation>
    </message>
    <message>
        <source>固件包: 设备 %1, 型号 %2, 版本 %3</source>
        <translation>韌體包: 裝置 %1, 型號 %2, 版本 %3</translation>
    </message>
    <message>
        <source>固件大小 %1 字节, 文件日期 %2</source>
        <translation>韌體大小 %1 位元組, 檔案日期 %2</translation>
    </message>
    <message>
        <source>烧写期间请不要断开仪器。要开始烧写吗?</source>
        <translation>燒錄期間請不要中斷儀器的連線。要開始燒錄嗎?</translation>
    </message>
    <message>
        <source>烧写</source>
        <translation>燒錄</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>更新固件</source>
        <translation>更新韌體</translation>
    </message>
    <message>
        <source>文件：</source>
        <translation>檔案：</translation>
    </message>
    <message>
        <source>设备：</source>
        <translation>裝置：</translation>
    </message>
    <message>
        <source>型号：</source>
        <translation>型號：</translation>
    </message>
    <message>
        <source>仪器型号：</source>
        <translation>儀器型號：</translation>
    </message>
    <message>
        <source>版本：</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>进度：</source>
        <translation>進度：</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>選擇檔案</translation>
    </message>
    <message>
        <source>烧写</source>
        <translation>燒錄</translation>
    </message>
    <message>
        <source>下载文件</source>
        <translation>下載檔案</translation>
    </message>
    <message>
        <source>页面：</source>
        <translation>頁面：</translation>
    </message>
    <message>
        <source>列表：</source>
        <translation>清單：</translation>
    </message>
    <message>
        <source>路径：</source>
        <translation>路徑：</translation>
    </message>
    <message>
        <source>刷新文件列表</source>
        <translation>重新整理檔案清單</translation>
    </message>
    <message>
        <source>选择路径</source>
        <translation>選擇路徑</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>请选择文件!</source>
        <translation>請選擇檔案!</translation>
    </message>
    <message>
        <source>更新失败,文件不存在或拒绝访问!</source>
        <translation>更新失敗,檔案不存在或拒絕存取!</translation>
    </message>
    <message>
        <source>固件更新成功!</source>
        <translation>韌體更新成功!</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>名稱</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>大小</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>日期</translation>
    </message>
    <message>
        <source>上一次更新正在结束, 请稍候</source>
        <translation>上一次更新正在結束, 請稍候</translation>
    </message>
    <message>
        <source>等待上一次更新结束</source>
        <translation>等待上一次更新結束</translation>
    </message>
    <message>
        <source>请在“页面”中填写固件下载页面的完整地址!</source>
        <translation>請在「頁面」中填寫韌體下載頁面的完整網址!</translation>
    </message>
    <message>
        <source>固件下载页面地址无效: %1</source>
        <translation>韌體下載頁面網址無效: %1</translation>
    </message>
    <message>
        <source>请选择设备类型!</source>
        <translation>請選擇裝置類型!</translation>
    </message>
    <message>
        <source>请选择下载路径!</source>
        <translation>請選擇下載路徑!</translation>
    </message>
    <message>
        <source>文件 %1 已存在,要替换它吗?</source>
        <translation>檔案 %1 已存在,要取代它嗎?</translation>
    </message>
    <message>
        <source>文件下载成功!</source>
        <translation>檔案下載成功!</translation>
    </message>
    <message>
        <source>已保存到: %1</source>
        <translation>已儲存到: %1</translation>
    </message>
    <message>
        <source>选择此文件更新</source>
        <translation>選擇此檔案更新</translation>
    </message>
    <message>
        <source>正在更新固件,请等待更新完成!</source>
        <translation>正在更新韌體,請等待更新完成!</translation>
    </message>
    <message>
        <source>失败: 无法打开连接</source>
        <translation>失敗: 無法開啟連線</translation>
    </message>
    <message>
        <source>失败: 仪器没有应答识别请求</source>
        <translation>失敗: 儀器沒有回應識別要求</translation>
    </message>
    <message>
        <source>已拒绝: 型号不符</source>
        <translation>已拒絕: 型號不符</translation>
    </message>
    <message>
        <source>已取消, 没有写入任何数据</source>
        <translation>已取消, 沒有寫入任何資料</translation>
    </message>
    <message>
        <source>失败: 擦除未被确认</source>
        <translation>失敗: 抹除未被確認</translation>
    </message>
    <message>
        <source>失败: 第 %1 / %2 页未被确认</source>
        <translation>失敗: 第 %1 / %2 頁未被確認</translation>
    </message>
    <message>
        <source>第 %1/4 步: %2</source>
        <translation>第 %1/4 步: %2</translation>
    </message>
    <message>
        <source>仪器没有被擦除, 仍在运行原来的固件。请检查连接和通信设置, 然后再次烧写。</source>
        <translation>儀器沒有被抹除, 仍在執行原來的韌體。請檢查連線和通訊設定, 然後再次燒錄。</translation>
    </message>
    <message>
        <source>仪器没有被擦除, 仍在运行原来的固件。请选择与仪器型号相符的固件包。</source>
        <translation>儀器沒有被抹除, 仍在執行原來的韌體。請選擇與儀器型號相符的韌體包。</translation>
    </message>
    <message>
        <source>仪器没有被擦除, 仍在运行原来的固件。</source>
        <translation>儀器沒有被抹除, 仍在執行原來的韌體。</translation>
    </message>
    <message>
        <source>擦除请求已发出但未被确认: 仪器原来的固件可能已被擦除, 它会在引导程序中等待新的固件。请用同一个固件包再次烧写; 仪器保留其引导程序。</source>
        <translation>抹除要求已送出但未被確認: 儀器原來的韌體可能已被抹除, 它會在開機載入程式中等待新的韌體。請用同一個韌體包再次燒錄; 儀器保留其開機載入程式。</translation>
    </message>
    <message>
        <source>仪器原来的固件已被擦除, 新固件只写入了 %1 / %2 页: 仪器正在引导程序中等待完整的固件。请不要断开仪器, 用同一个固件包再次烧写; 仪器保留其引导程序。</source>
        <translation>儀器原來的韌體已被抹除, 新韌體只寫入了 %1 / %2 頁: 儀器正在開機載入程式中等待完整的韌體。請不要中斷儀器的連線, 用同一個韌體包再次燒錄; 儀器保留其開機載入程式。</translation>
    </message>
    <message>
        <source>仪器在 %1 秒内没有应答, 未能读取新的固件版本; 请稍后读取配置。</source>
        <translation>儀器在 %1 秒內沒有回應, 未能讀取新的韌體版本; 請稍後讀取設定。</translation>
    </message>
    <message>
        <source>仪器的配置中没有固件版本。</source>
        <translation>儀器的設定中沒有韌體版本。</translation>
    </message>
    <message>
        <source>固件已更新: 仪器现在的版本是 %1</source>
        <translation>韌體已更新: 儀器現在的版本是 %1</translation>
    </message>
    <message>
        <source>固件已更新: %1 → %2</source>
        <translation>韌體已更新: %1 → %2</translation>
    </message>
    <message>
        <source>仪器的固件版本未知 (请先读取配置), 无法与固件包的版本 %1 比较。</source>
        <translation>儀器的韌體版本未知 (請先讀取設定), 無法與韌體包的版本 %1 比較。</translation>
    </message>
    <message>
        <source>升级: 固件包的版本 %1 比仪器的版本 %2 新。</source>
        <translation>升級: 韌體包的版本 %1 比儀器的版本 %2 新。</translation>
    </message>
    <message>
        <source>固件包的版本 %1 与仪器的版本 %2 相同。</source>
        <translation>韌體包的版本 %1 與儀器的版本 %2 相同。</translation>
    </message>
    <message>
        <source>降级: 固件包的版本 %1 比仪器的版本 %2 旧。</source>
        <translation>降級: 韌體包的版本 %1 比儀器的版本 %2 舊。</translation>
    </message>
    <message>
        <source>固件包的版本 %1 与仪器的版本 %2 无法比较。</source>
        <translation>韌體包的版本 %1 與儀器的版本 %2 無法比較。</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>%1 (最新)</source>
        <translation>%1 (最新)</translation>
    </message>
</context>
<context>
    <name>UpdateThread</name>
    <message>
        <source>固件包中没有固件数据,不能烧写!</source>
        <translation>韌體包中沒有韌體資料,無法燒錄!</translation>
    </message>
    <message>
        <source>固件包中没有设备型号,不能烧写!</source>
        <translation>韌體包中沒有裝置型號,無法燒錄!</translation>
    </message>
    <message>
        <source>第 1/4 步: 识别仪器</source>
        <translation>第 1/4 步: 識別儀器</translation>
    </message>
    <message>
        <source>第 2/4 步: 擦除仪器内存</source>
        <translation>第 2/4 步: 抹除儀器記憶體</translation>
    </message>
    <message>
        <source>第 3/4 步: 写入第 %1 / %2 页</source>
        <translation>第 3/4 步: 寫入第 %1 / %2 頁</translation>
    </message>
    <message>
        <source>第 4/4 步: 结束更新, 等待仪器重启 (最多 %1 秒)</source>
        <translation>第 4/4 步: 結束更新, 等待儀器重新啟動 (最多 %1 秒)</translation>
    </message>
    <message>
        <source>固件更新失败,</source>
        <translation>韌體更新失敗,</translation>
    </message>
    <message>
        <source>固件更新失败,获取设备ID失败!</source>
        <translation>韌體更新失敗,取得裝置ID失敗!</translation>
    </message>
    <message>
        <source>固件更新失败,BIN文件与设备型号不一致!</source>
        <translation>韌體更新失敗,BIN檔案與裝置型號不一致!</translation>
    </message>
    <message>
        <source>固件包的型号: %1, 仪器的型号: %2</source>
        <translation>韌體包的型號: %1, 儀器的型號: %2</translation>
    </message>
    <message>
        <source>固件更新失败,擦除设备内存失败!</source>
        <translation>韌體更新失敗,抹除裝置記憶體失敗!</translation>
    </message>
    <message>
        <source>固件更新失败,发送文件数据失败!</source>
        <translation>韌體更新失敗,傳送檔案資料失敗!</translation>
    </message>
</context>
<context>
    <name>WriteCommand</name>
    <message>
        <source>(无)</source>
        <translation>(無)</translation>
    </message>
    <message>
        <source>没有需要写入的项</source>
        <translation>沒有需要寫入的項目</translation>
    </message>
    <message>
        <source>仪器拒绝了 %1 项: %2</source>
        <translation>儀器拒絕了 %1 個項目: %2</translation>
    </message>
    <message>
        <source>未写入: %1</source>
        <translation>未寫入: %1</translation>
    </message>
    <message>
        <source>写入已中断: 已写入 %1 项, 未写入 %2 项</source>
        <translation>寫入已中斷: 已寫入 %1 項, 未寫入 %2 項</translation>
    </message>
</context>
</TS>
