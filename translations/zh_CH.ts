<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CH">
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
        <translation>选项:</translation>
    </message>
    <message>
        <source>参数:</source>
        <translation>参数:</translation>
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
        <translation>失败 (退出码 %1)</translation>
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
        <translation>要执行的子命令</translation>
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
        <translation>无效的超时: %1</translation>
    </message>
    <message>
        <source>(默认: %1)</source>
        <translation>(默认: %1)</translation>
    </message>
    <message>
        <source>[选项]</source>
        <translation>[选项]</translation>
    </message>
    <message>
        <source>显示此帮助后退出</source>
        <translation>显示此帮助后退出</translation>
    </message>
    <message>
        <source>每台仪器输出一行 JSON 对象</source>
        <translation>每台仪器输出一行 JSON 对象</translation>
    </message>
    <message>
        <source>信息的语言: en_US, zh_CH 或 zh_TW (默认取自 config.ini)</source>
        <translation>信息的语言: en_US, zh_CH 或 zh_TW (默认取自 config.ini)</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>每次等待应答的毫秒数 (默认为仪器自身的时间)</source>
        <translation>每次等待应答的毫秒数 (默认为仪器自身的时间)</translation>
    </message>
    <message>
        <source>毫秒</source>
        <translation>毫秒</translation>
    </message>
    <message>
        <source>经 UDP 连接仪器; read, write, set-clock 和 flash 可重复此选项</source>
        <translation>经 UDP 连接仪器; read, write, set-clock 和 flash 可重复此选项</translation>
    </message>
    <message>
        <source>主机:端口</source>
        <translation>主机:端口</translation>
    </message>
    <message>
        <source>经串口连接仪器</source>
        <translation>经串口连接仪器</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>串口波特率</source>
        <translation>串口波特率</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>数值</translation>
    </message>
    <message>
        <source>串口数据位: 5 到 8</source>
        <translation>串口数据位: 5 到 8</translation>
    </message>
    <message>
        <source>串口校验: none, even, odd, space 或 mark</source>
        <translation>串口校验: none, even, odd, space 或 mark</translation>
    </message>
    <message>
        <source>校验</source>
        <translation>校验</translation>
    </message>
    <message>
        <source>串口停止位: 1, 1.5 或 2</source>
        <translation>串口停止位: 1, 1.5 或 2</translation>
    </message>
    <message>
        <source>发送请求前拉 RTS</source>
        <translation>发送请求前拉 RTS</translation>
    </message>
    <message>
        <source>打开串口时置 DTR</source>
        <translation>打开串口时置 DTR</translation>
    </message>
    <message>
        <source>仪器的设备地址: 1 到 255</source>
        <translation>仪器的设备地址: 1 到 255</translation>
    </message>
    <message>
        <source>把配置按助手的导出格式写入 CSV 文件</source>
        <translation>把配置按助手的导出格式写入 CSV 文件</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>要写入的配置 CSV 文件</source>
        <translation>要写入的配置 CSV 文件</translation>
    </message>
    <message>
        <source>文件.csv</source>
        <translation>文件.csv</translation>
    </message>
    <message>
        <source>只显示将要写入的项, 不写入</source>
        <translation>只显示将要写入的项, 不写入</translation>
    </message>
    <message>
        <source>先读取配置, 只写入数值不同的项</source>
        <translation>先读取配置, 只写入数值不同的项</translation>
    </message>
    <message>
        <source>不写入此项 (名称或编号), 可重复使用</source>
        <translation>不写入此项 (名称或编号), 可重复使用</translation>
    </message>
    <message>
        <source>项</source>
        <translation>项</translation>
    </message>
    <message>
        <source>要设置的时间, ISO 格式 (默认为当前时间)</source>
        <translation>要设置的时间, ISO 格式 (默认为当前时间)</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>时间</translation>
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
        <translation>结束日期 (yyyy-MM-dd)</translation>
    </message>
    <message>
        <source>把记录导出为 CSV 文件</source>
        <translation>把记录导出为 CSV 文件</translation>
    </message>
    <message>
        <source>CSV 的格式: lines (记录原文, 默认) 或 table (表格, 每个字段一列)</source>
        <translation>CSV 的格式: lines (记录原文, 默认) 或 table (表格, 每个字段一列)</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>格式</translation>
    </message>
    <message>
        <source>把记录导出为 PDF 文件</source>
        <translation>把记录导出为 PDF 文件</translation>
    </message>
    <message>
        <source>要烧写的固件包</source>
        <translation>要烧写的固件包</translation>
    </message>
    <message>
        <source>固件包.zqbin</source>
        <translation>固件包.zqbin</translation>
    </message>
    <message>
        <source>打开仪器的调试输出, 结束时关闭</source>
        <translation>打开仪器的调试输出, 结束时关闭</translation>
    </message>
    <message>
        <source>以十六进制显示</source>
        <translation>以十六进制显示</translation>
    </message>
    <message>
        <source>同时以文本和十六进制显示</source>
        <translation>同时以文本和十六进制显示</translation>
    </message>
    <message>
        <source>监视的秒数 (默认直到 Ctrl-C)</source>
        <translation>监视的秒数 (默认直到 Ctrl-C)</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>搜索探测发往的 UDP 端口</source>
        <translation>搜索探测发往的 UDP 端口</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>等待应答的毫秒数</source>
        <translation>等待应答的毫秒数</translation>
    </message>
    <message>
        <source>探测的目的地址, 可重复 (默认为本机各网络的广播地址)</source>
        <translation>探测的目的地址, 可重复 (默认为本机各网络的广播地址)</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>无效的设备地址: %1</source>
        <translation>无效的设备地址: %1</translation>
    </message>
    <message>
        <source>--udp 与 --serial 不能同时使用</source>
        <translation>--udp 与 --serial 不能同时使用</translation>
    </message>
    <message>
        <source>子命令 %1 只能连接一台仪器</source>
        <translation>子命令 %1 只能连接一台仪器</translation>
    </message>
    <message>
        <source>无效的 UDP 地址: %1 (应为 主机:端口)</source>
        <translation>无效的 UDP 地址: %1 (应为 主机:端口)</translation>
    </message>
    <message>
        <source>无效的波特率: %1</source>
        <translation>无效的波特率: %1</translation>
    </message>
    <message>
        <source>无效的数据位: %1</source>
        <translation>无效的数据位: %1</translation>
    </message>
    <message>
        <source>无效的校验: %1</source>
        <translation>无效的校验: %1</translation>
    </message>
    <message>
        <source>无效的停止位: %1</source>
        <translation>无效的停止位: %1</translation>
    </message>
    <message>
        <source>没有连接: config.ini 中没有设置, 请用 --udp 或 --serial 指定</source>
        <translation>没有连接: config.ini 中没有设置, 请用 --udp 或 --serial 指定</translation>
    </message>
    <message>
        <source>子命令 %1 需要一个文件名</source>
        <translation>子命令 %1 需要一个文件名</translation>
    </message>
    <message>
        <source>多余的参数: %1</source>
        <translation>多余的参数: %1</translation>
    </message>
    <message>
        <source>--csv 只能用于一台仪器</source>
        <translation>--csv 只能用于一台仪器</translation>
    </message>
    <message>
        <source>无效的时间: %1 (应为 ISO 格式, 如 2024-05-01T08:30:00)</source>
        <translation>无效的时间: %1 (应为 ISO 格式, 如 2024-05-01T08:30:00)</translation>
    </message>
    <message>
        <source>history 需要 --from 和 --to 日期 (yyyy-MM-dd)</source>
        <translation>history 需要 --from 和 --to 日期 (yyyy-MM-dd)</translation>
    </message>
    <message>
        <source>起始日期晚于结束日期</source>
        <translation>起始日期晚于结束日期</translation>
    </message>
    <message>
        <source>无效的 CSV 格式: %1 (应为 lines 或 table)</source>
        <translation>无效的 CSV 格式: %1 (应为 lines 或 table)</translation>
    </message>
    <message>
        <source>--hex 与 --both 不能同时使用</source>
        <translation>--hex 与 --both 不能同时使用</translation>
    </message>
    <message>
        <source>无效的秒数: %1</source>
        <translation>无效的秒数: %1</translation>
    </message>
    <message>
        <source>无效的端口: %1</source>
        <translation>无效的端口: %1</translation>
    </message>
    <message>
        <source>无效的毫秒数: %1</source>
        <translation>无效的毫秒数: %1</translation>
    </message>
    <message>
        <source>无效的地址: %1</source>
        <translation>无效的地址: %1</translation>
    </message>
    <message>
        <source>固件包的版本比仪器的旧时也烧写 (降级)</source>
        <translation>固件包的版本比仪器的旧时也烧写 (降级)</translation>
    </message>
    <message>
        <source>ZQ 仪器的配置、时钟、历史记录、固件和监视，在命令行上完成。
子命令: read, write, set-clock, history, flash, monitor, search
连接默认取自当前目录的 config.ini。
退出码: 0 成功, 1 用法错误, 2 通讯失败, 3 仪器拒绝或应答无效, 4 文件错误或拒绝降级, 5 已中断。</source>
        <translation>ZQ 仪器的配置、时钟、历史记录、固件和监视，在命令行上完成。
子命令: read, write, set-clock, history, flash, monitor, search
连接默认取自当前目录的 config.ini。
退出码: 0 成功, 1 用法错误, 2 通讯失败, 3 仪器拒绝或应答无效, 4 文件错误或拒绝降级, 5 已中断。</translation>
    </message>
    <message>
        <source>打印每个数值列的统计 (条数, 最小, 最大, 平均) 代替记录</source>
        <translation>打印每个数值列的统计 (条数, 最小, 最大, 平均) 代替记录</translation>
    </message>
</context>
<context>
    <name>ClockSync</name>
    <message>
        <source>同步时间</source>
        <translation>同步时间</translation>
    </message>
    <message>
        <source>同步时间已取消</source>
        <translation>同步时间已取消</translation>
    </message>
    <message>
        <source>同步时间失败</source>
        <translation>同步时间失败</translation>
    </message>
    <message>
        <source>同步时间成功</source>
        <translation>同步时间成功</translation>
    </message>
    <message>
        <source>时间 %1 超出仪器的时钟范围 (%2 年至 %3 年), 未发送</source>
        <translation>时间 %1 超出仪器的时钟范围 (%2 年至 %3 年), 未发送</translation>
    </message>
</context>
<context>
    <name>ComparisonDialog</name>
    <message>
        <source>文件中有 %1 项与设备不同, 勾选的项将作为修改显示, 写入前仍会确认。%2 项不能导入。</source>
        <translation>文件中有 %1 项与设备不同, 勾选的项将作为修改显示, 写入前仍会确认。%2 项不能导入。</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>编号</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>文件</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>设备</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>说明</translation>
    </message>
    <message>
        <source>采用勾选项</source>
        <translation>采用勾选项</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>导入前须先读取设备的配置, 以便与文件比较。
请先刷新, 再导入。</source>
        <translation>导入前须先读取设备的配置, 以便与文件比较。
请先刷新, 再导入。</translation>
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
        <translation>此文件来自另一型号的设备 (文件: %1, 已连接的设备: %2)。%3 项的名称与设备不符, 不能导入。</translation>
    </message>
    <message>
        <source>此文件来自另一台设备 (文件的序列号: %1, 已连接的设备: %2)。</source>
        <translation>此文件来自另一台设备 (文件的序列号: %1, 已连接的设备: %2)。</translation>
    </message>
    <message>
        <source>设备时钟, 默认不写入</source>
        <translation>设备时钟, 默认不写入</translation>
    </message>
    <message>
        <source>上次写入时设备未接受</source>
        <translation>上次写入时设备未接受</translation>
    </message>
    <message>
        <source>相同</source>
        <translation>相同</translation>
    </message>
    <message>
        <source>设备标识, 不写入</source>
        <translation>设备标识, 不写入</translation>
    </message>
    <message>
        <source>操作项, 不执行</source>
        <translation>操作项, 不执行</translation>
    </message>
    <message>
        <source>名称不同, 不导入</source>
        <translation>名称不同, 不导入</translation>
    </message>
    <message>
        <source>设备没有此项, 不导入</source>
        <translation>设备没有此项, 不导入</translation>
    </message>
    <message>
        <source>设备只报告此项, 不写入</source>
        <translation>设备只报告此项, 不写入</translation>
    </message>
</context>
<context>
    <name>ConfigBackup</name>
    <message>
        <source>备份</source>
        <translation>备份</translation>
    </message>
    <message>
        <source>无法创建备份文件夹: %1</source>
        <translation>无法创建备份文件夹: %1</translation>
    </message>
    <message>
        <source>备份失败, 未写入设备: %1</source>
        <translation>备份失败, 未写入设备: %1</translation>
    </message>
    <message>
        <source>已备份到 %1</source>
        <translation>已备份到 %1</translation>
    </message>
</context>
<context>
    <name>ConfigCsv</name>
    <message>
        <source>导出配置</source>
        <translation>导出配置</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>打开文件失败: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>写入文件失败: %1</translation>
    </message>
    <message>
        <source>导出配置成功</source>
        <translation>导出配置成功</translation>
    </message>
    <message>
        <source>导入配置</source>
        <translation>导入配置</translation>
    </message>
    <message>
        <source>配置项编号必须在 0 到 255 之间</source>
        <translation>配置项编号必须在 0 到 255 之间</translation>
    </message>
    <message>
        <source>引号必须紧跟在逗号之后并成对出现</source>
        <translation>引号必须紧跟在逗号之后并成对出现</translation>
    </message>
    <message>
        <source>文件解析错误: %1 第 %2 行</source>
        <translation>文件解析错误: %1 第 %2 行</translation>
    </message>
    <message>
        <source>配置项 %1 是设备的调试开关, 不能从文件写入</source>
        <translation>配置项 %1 是设备的调试开关, 不能从文件写入</translation>
    </message>
    <message>
        <source>文件编码无法识别: 既不是 UTF-8 也不是 GB18030 文本</source>
        <translation>文件编码无法识别: 既不是 UTF-8 也不是 GB18030 文本</translation>
    </message>
</context>
<context>
    <name>ConfigFiles</name>
    <message>
        <source>正在导出配置......</source>
        <translation>正在导出配置......</translation>
    </message>
    <message>
        <source>正在导入配置......</source>
        <translation>正在导入配置......</translation>
    </message>
</context>
<context>
    <name>ConfigReads</name>
    <message>
        <source>正在读取 %1/%2 ……</source>
        <translation>正在读取 %1/%2 ……</translation>
    </message>
    <message>
        <source>正在读取 %1 ……</source>
        <translation>正在读取 %1 ……</translation>
    </message>
    <message>
        <source>已读取 %1 项</source>
        <translation>已读取 %1 项</translation>
    </message>
    <message>
        <source>读取中断: 已读 %1 项, 配置树保持读取前的内容</source>
        <translation>读取中断: 已读 %1 项, 配置树保持读取前的内容</translation>
    </message>
</context>
<context>
    <name>ConfigTree</name>
    <message>
        <source>已修改, 尚未写入; 设备中为 %1</source>
        <translation>已修改, 尚未写入; 设备中为 %1</translation>
    </message>
    <message>
        <source>已修改, 尚未写入; 设备中的值未读取</source>
        <translation>已修改, 尚未写入; 设备中的值未读取</translation>
    </message>
    <message>
        <source>设备未接受写入的值, 仍为 %1</source>
        <translation>设备未接受写入的值, 仍为 %1</translation>
    </message>
    <message>
        <source>操作项: 双击后由设备执行</source>
        <translation>操作项: 双击后由设备执行</translation>
    </message>
    <message>
        <source>只读: 设备测得的值, 不能写入</source>
        <translation>只读: 设备测得的值, 不能写入</translation>
    </message>
    <message>
        <source>只读: 由设备出厂设定, 不能写入</source>
        <translation>只读: 由设备出厂设定, 不能写入</translation>
    </message>
    <message>
        <source>只读: 设备时钟请用“同步时间”设置</source>
        <translation>只读: 设备时钟请用“同步时间”设置</translation>
    </message>
    <message>
        <source>按 F5 读取仪器配置</source>
        <translation>按 F5 读取仪器配置</translation>
    </message>
    <message>
        <source>编辑(&amp;E)...</source>
        <translation>编辑(&amp;E)...</translation>
    </message>
    <message>
        <source>复制值(&amp;V)</source>
        <translation>复制值(&amp;V)</translation>
    </message>
    <message>
        <source>复制名称和值(&amp;C)</source>
        <translation>复制名称和值(&amp;C)</translation>
    </message>
    <message>
        <source>复制全部(&amp;A)</source>
        <translation>复制全部(&amp;A)</translation>
    </message>
</context>
<context>
    <name>ConfigWorker</name>
    <message>
        <source>测试连接</source>
        <translation>测试连接</translation>
    </message>
    <message>
        <source>测试连接已取消</source>
        <translation>测试连接已取消</translation>
    </message>
    <message>
        <source>设备应答了, 但应答无效: %1</source>
        <translation>设备应答了, 但应答无效: %1</translation>
    </message>
    <message>
        <source>设备已应答, 用时 %1 ms</source>
        <translation>设备已应答, 用时 %1 ms</translation>
    </message>
</context>
<context>
    <name>ConfigWriter</name>
    <message>
        <source>写入配置</source>
        <translation>写入配置</translation>
    </message>
    <message>
        <source>写入错误,连接设备失败</source>
        <translation>写入错误,连接设备失败</translation>
    </message>
    <message>
        <source>写入已取消, 已写入 %1 项</source>
        <translation>写入已取消, 已写入 %1 项</translation>
    </message>
    <message>
        <source>写入配置失败: %1</source>
        <translation>写入配置失败: %1</translation>
    </message>
    <message>
        <source>没有可写入的配置项</source>
        <translation>没有可写入的配置项</translation>
    </message>
    <message>
        <source>写入配置成功</source>
        <translation>写入配置成功</translation>
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
        <translation>写入配置完成, %1 项未被设备接受: %2</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>提交</translation>
    </message>
    <message>
        <source>数值含有设备无法表示的字符: %1 (U+%2)</source>
        <translation>数值含有设备无法表示的字符: %1 (U+%2)</translation>
    </message>
    <message>
        <source>数值含有空字符 (U+0000)</source>
        <translation>数值含有空字符 (U+0000)</translation>
    </message>
    <message>
        <source>数值过长: 编码后 %1 字节, 最多允许 %2 字节</source>
        <translation>数值过长: 编码后 %1 字节, 最多允许 %2 字节</translation>
    </message>
    <message>
        <source>数值过长: 最多允许 %1 字节</source>
        <translation>数值过长: 最多允许 %1 字节</translation>
    </message>
    <message>
        <source>硬件返回数据校验错误</source>
        <translation>硬件返回数据校验错误</translation>
    </message>
    <message>
        <source>写入配置失败,该项不支持修改</source>
        <translation>写入配置失败,该项不支持修改</translation>
    </message>
    <message>
        <source>“%1”的名称与数值过长: 设备的应答为 %2 字节, 最多 %3 字节</source>
        <translation>“%1”的名称与数值过长: 设备的应答为 %2 字节, 最多 %3 字节</translation>
    </message>
</context>
<context>
    <name>ConfigWrites</name>
    <message>
        <source>正在写入 %1/%2 ……</source>
        <translation>正在写入 %1/%2 ……</translation>
    </message>
</context>
<context>
    <name>ConnectionBar</name>
    <message>
        <source>尚未通讯</source>
        <translation>尚未通讯</translation>
    </message>
    <message>
        <source>%1 有应答</source>
        <translation>%1 有应答</translation>
    </message>
    <message>
        <source>%1 无应答</source>
        <translation>%1 无应答</translation>
    </message>
    <message>
        <source>%1 | 设备地址 %2 | %3</source>
        <translation>%1 | 设备地址 %2 | %3</translation>
    </message>
    <message>
        <source>等待应答… %1 s</source>
        <translation>等待应答… %1 s</translation>
    </message>
</context>
<context>
    <name>DDbServer</name>
    <message>
        <source>解析文件失败,文件不存在或拒绝访问!</source>
        <translation>解析文件失败,文件不存在或拒绝访问!</translation>
    </message>
    <message>
        <source>解析文件失败,打开文件失败,请检查文件类型!</source>
        <translation>解析文件失败,打开文件失败,请检查文件类型!</translation>
    </message>
    <message>
        <source>解析文件失败,文件操作失败!</source>
        <translation>解析文件失败,文件操作失败!</translation>
    </message>
    <message>
        <source>解析文件失败,无法获取文件内容!</source>
        <translation>解析文件失败,无法获取文件内容!</translation>
    </message>
    <message>
        <source>解析文件失败,文件校验失败!</source>
        <translation>解析文件失败,文件校验失败!</translation>
    </message>
    <message>
        <source>解析文件失败,文件内容格式错误!</source>
        <translation>解析文件失败,文件内容格式错误!</translation>
    </message>
</context>
<context>
    <name>DeviceTypeMgr</name>
    <message>
        <source>获取设备列表失败,请重试!</source>
        <translation>获取设备列表失败,请重试!</translation>
    </message>
    <message>
        <source>下载页面大于 %1 MiB</source>
        <translation>下载页面大于 %1 MiB</translation>
    </message>
</context>
<context>
    <name>DisplayForm</name>
    <message>
        <source>[行过长, 在此截断]</source>
        <translation>[行过长, 在此截断]</translation>
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
        <translation>下载失败,链接不是 http 或 https 地址: %1</translation>
    </message>
    <message>
        <source>下载失败,https 页面上的链接也必须是 https: %1</source>
        <translation>下载失败,https 页面上的链接也必须是 https: %1</translation>
    </message>
    <message>
        <source>下载失败,文件名不合法: %1</source>
        <translation>下载失败,文件名不合法: %1</translation>
    </message>
    <message>
        <source>下载失败,打开文件失败: %1</source>
        <translation>下载失败,打开文件失败: %1</translation>
    </message>
    <message>
        <source>下载异常: 文件大于 %1 MiB</source>
        <translation>下载异常: 文件大于 %1 MiB</translation>
    </message>
    <message>
        <source>下载异常: 收到的数据多于声明的 %1 字节</source>
        <translation>下载异常: 收到的数据多于声明的 %1 字节</translation>
    </message>
    <message>
        <source>下载异常: %1</source>
        <translation>下载异常: %1</translation>
    </message>
    <message>
        <source>%1 秒内收到的数据不足 1 KiB</source>
        <translation>%1 秒内收到的数据不足 1 KiB</translation>
    </message>
    <message>
        <source>下载异常: 未找到该文件或下载失败</source>
        <translation>下载异常: 未找到该文件或下载失败</translation>
    </message>
    <message>
        <source>服务器的响应头过大</source>
        <translation>服务器的响应头过大</translation>
    </message>
    <message>
        <source>%1 秒内未能完成</source>
        <translation>%1 秒内未能完成</translation>
    </message>
    <message>
        <source>不支持的压缩方式: %1</source>
        <translation>不支持的压缩方式: %1</translation>
    </message>
    <message>
        <source>服务器的回答无效</source>
        <translation>服务器的回答无效</translation>
    </message>
</context>
<context>
    <name>FlashCommand</name>
    <message>
        <source>拒绝降级: 固件包的版本 %1 比仪器的版本 %2 旧; 确要降级请加 --allow-downgrade</source>
        <translation>拒绝降级: 固件包的版本 %1 比仪器的版本 %2 旧; 确要降级请加 --allow-downgrade</translation>
    </message>
    <message>
        <source>固件更新成功!</source>
        <translation>固件更新成功!</translation>
    </message>
</context>
<context>
    <name>HistoryChart</name>
    <message>
        <source>复位</source>
        <translation>复位</translation>
    </message>
    <message>
        <source>显示全部记录</source>
        <translation>显示全部记录</translation>
    </message>
    <message>
        <source>导出图像...</source>
        <translation>导出图像...</translation>
    </message>
    <message>
        <source>归一化 (0 最小, 1 最大)</source>
        <translation>归一化 (0 最小, 1 最大)</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>写入文件失败: %1</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>打开文件失败: %1</translation>
    </message>
    <message>
        <source>PNG 图像 (*.png)</source>
        <translation>PNG 图像 (*.png)</translation>
    </message>
    <message>
        <source>SVG 图像 (*.svg)</source>
        <translation>SVG 图像 (*.svg)</translation>
    </message>
    <message>
        <source>导出图像</source>
        <translation>导出图像</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>无法导出 PDF: 没有字体</source>
        <translation>无法导出 PDF: 没有字体</translation>
    </message>
    <message>
        <source>导出历史数据</source>
        <translation type="unfinished">导出历史数据</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation type="unfinished">打开文件失败: %1</translation>
    </message>
    <message>
        <source>查询</source>
        <translation type="unfinished">查询</translation>
    </message>
    <message>
        <source>传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。</source>
        <translation>传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。</translation>
    </message>
    <message>
        <source>仪器在发送调试信息, 历史记录可能不完整</source>
        <translation>仪器在发送调试信息, 历史记录可能不完整</translation>
    </message>
    <message>
        <source>已达到记录上限 %1 条, 查询已停止。</source>
        <translation>已达到记录上限 %1 条, 查询已停止。</translation>
    </message>
    <message>
        <source>已导出 %1 条记录到 %2</source>
        <translation>已导出 %1 条记录到 %2</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation type="unfinished">写入文件失败: %1</translation>
    </message>
    <message>
        <source>日期</source>
        <translation type="unfinished">日期</translation>
    </message>
    <message>
        <source>时间</source>
        <translation type="unfinished">时间</translation>
    </message>
    <message>
        <source>传输中丢失了 %1 个数据报, 记录可能不完整。</source>
        <translation>传输中丢失了 %1 个数据报, 记录可能不完整。</translation>
    </message>
</context>
<context>
    <name>HistoryData</name>
    <message>
        <source>历史数据</source>
        <translation>历史数据</translation>
    </message>
    <message>
        <source>起始日期:</source>
        <translation>起始日期:</translation>
    </message>
    <message>
        <source>结束日期:</source>
        <translation>结束日期:</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>查询</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>导出CSV</translation>
    </message>
    <message>
        <source>导出PDF</source>
        <translation>导出PDF</translation>
    </message>
    <message>
        <source>仪器的其他输出 (不是记录):</source>
        <translation>仪器的其他输出 (不是记录):</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>正在查询… 已收到 %1 条记录, 用时 %2</source>
        <translation>正在查询… 已收到 %1 条记录, 用时 %2</translation>
    </message>
    <message>
        <source>已停止: 收到 %1 条记录</source>
        <translation>已停止: 收到 %1 条记录</translation>
    </message>
    <message>
        <source>已收到 %1 条记录, 用时 %2</source>
        <translation>已收到 %1 条记录, 用时 %2</translation>
    </message>
    <message>
        <source>传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。</source>
        <translation>传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。</translation>
    </message>
    <message>
        <source>已收到的 %1 条完整记录已保留。</source>
        <translation>已收到的 %1 条完整记录已保留。</translation>
    </message>
    <message>
        <source>仪器在发送调试信息, 历史记录可能不完整</source>
        <translation>仪器在发送调试信息, 历史记录可能不完整</translation>
    </message>
    <message>
        <source>已达到记录上限 %1 条, 查询已停止。</source>
        <translation>已达到记录上限 %1 条, 查询已停止。</translation>
    </message>
    <message>
        <source>起始日期应该小于或等于结束日期</source>
        <translation>起始日期应该小于或等于结束日期</translation>
    </message>
    <message>
        <source>导出历史数据</source>
        <translation>导出历史数据</translation>
    </message>
    <message>
        <source>没有可导出的记录</source>
        <translation>没有可导出的记录</translation>
    </message>
    <message>
        <source>正在查询历史记录。停止查询并关闭窗口吗?</source>
        <translation>正在查询历史记录。停止查询并关闭窗口吗?</translation>
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
        <translation>范围…</translation>
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
        <translation>复制摘要</translation>
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
        <translation type="unfinished">表格 CSV (*.csv)</translation>
    </message>
    <message>
        <source>记录原文 (*.csv)</source>
        <translation type="unfinished">记录原文 (*.csv)</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation type="unfinished">打开文件失败: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation type="unfinished">写入文件失败: %1</translation>
    </message>
    <message>
        <source>已导出 %1 条记录到 %2</source>
        <translation type="unfinished">已导出 %1 条记录到 %2</translation>
    </message>
    <message>
        <source>%1: %2 条, 最小 %3 (%4), 最大 %5 (%6), 平均 %7</source>
        <translation>%1: %2 条, 最小 %3 (%4), 最大 %5 (%6), 平均 %7</translation>
    </message>
    <message>
        <source>传输中丢失了 %1 个数据报, 记录可能不完整。</source>
        <translation>传输中丢失了 %1 个数据报, 记录可能不完整。</translation>
    </message>
</context>
<context>
    <name>HistoryExport</name>
    <message>
        <source>打开文件失败: %1</source>
        <translation>打开文件失败: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>写入文件失败: %1</translation>
    </message>
    <message>
        <source>%1 至 %2</source>
        <translation>%1 至 %2</translation>
    </message>
    <message>
        <source>导出于 %1</source>
        <translation>导出于 %1</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>历史数据</translation>
    </message>
    <message>
        <source>第 %1 页 / 共 %2 页</source>
        <translation>第 %1 页 / 共 %2 页</translation>
    </message>
    <message>
        <source>导出数据失败，数据格式错误</source>
        <translation>导出数据失败，数据格式错误</translation>
    </message>
    <message>
        <source>导出数据失败，字体太大，一页放不下一行</source>
        <translation>导出数据失败，字体太大，一页放不下一行</translation>
    </message>
    <message>
        <source>型号 %1</source>
        <translation>型号 %1</translation>
    </message>
    <message>
        <source>序列号 %1</source>
        <translation>序列号 %1</translation>
    </message>
    <message>
        <source>统计</source>
        <translation>统计</translation>
    </message>
    <message>
        <source>列</source>
        <translation>列</translation>
    </message>
    <message>
        <source>条数</source>
        <translation>条数</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>最小</translation>
    </message>
    <message>
        <source>最小时刻</source>
        <translation>最小时刻</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>最大</translation>
    </message>
    <message>
        <source>最大时刻</source>
        <translation>最大时刻</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>平均</translation>
    </message>
    <message>
        <source>趋势</source>
        <translation>趋势</translation>
    </message>
    <message>
        <source>归一化 (0 最小, 1 最大)</source>
        <translation>归一化 (0 最小, 1 最大)</translation>
    </message>
</context>
<context>
    <name>LinkSettings</name>
    <message>
        <source>设置 %1 的值无效: %2</source>
        <translation>设置 %1 的值无效: %2</translation>
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
        <translation>通讯设置</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>导入配置</source>
        <translation>导入配置</translation>
    </message>
    <message>
        <source>导出配置</source>
        <translation>导出配置</translation>
    </message>
    <message>
        <source>同步时间</source>
        <translation>同步时间</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>历史数据</translation>
    </message>
    <message>
        <source>更新固件</source>
        <translation>更新固件</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>关于</translation>
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
        <translation>设备监听</translation>
    </message>
    <message>
        <source>写入修改</source>
        <translation>写入修改</translation>
    </message>
    <message>
        <source>恢复备份...</source>
        <translation>恢复备份...</translation>
    </message>
    <message>
        <source>测试连接</source>
        <translation>测试连接</translation>
    </message>
    <message>
        <source>准备就绪</source>
        <translation>准备就绪</translation>
    </message>
    <message>
        <source>无法保存设置: %1 不可写入</source>
        <translation>无法保存设置: %1 不可写入</translation>
    </message>
    <message>
        <source>另一项配置操作尚未结束, 请稍候</source>
        <translation>另一项配置操作尚未结束, 请稍候</translation>
    </message>
    <message>
        <source>%1 项修改未写入</source>
        <translation>%1 项修改未写入</translation>
    </message>
    <message>
        <source>有 %1 项修改尚未写入设备, 刷新会以设备中的值替换它们。
仍要刷新吗?</source>
        <translation>有 %1 项修改尚未写入设备, 刷新会以设备中的值替换它们。
仍要刷新吗?</translation>
    </message>
    <message>
        <source>正在读取 ……</source>
        <translation>正在读取 ……</translation>
    </message>
    <message>
        <source>正在写入配置。关闭窗口会中断写入, 尚未写入的项不会写入。
仍要关闭吗?</source>
        <translation>正在写入配置。关闭窗口会中断写入, 尚未写入的项不会写入。
仍要关闭吗?</translation>
    </message>
    <message>
        <source>正在写入配置......</source>
        <translation>正在写入配置......</translation>
    </message>
    <message>
        <source>设备将执行“%1”。
确定要继续吗?</source>
        <translation>设备将执行“%1”。
确定要继续吗?</translation>
    </message>
    <message>
        <source>“%1”不是数值。此项的值是一个数 (当前为 %2), 请输入数字。</source>
        <translation>“%1”不是数值。此项的值是一个数 (当前为 %2), 请输入数字。</translation>
    </message>
    <message>
        <source>“%1”不是此项的可选值。</source>
        <translation>“%1”不是此项的可选值。</translation>
    </message>
    <message>
        <source>正在写入 %1 ……</source>
        <translation>正在写入 %1 ……</translation>
    </message>
    <message>
        <source>正在写入 ……</source>
        <translation>正在写入 ……</translation>
    </message>
    <message>
        <source>(未读取)</source>
        <translation>(未读取)</translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation>%1: %2 → %3</translation>
    </message>
    <message>
        <source>没有需要写入的修改</source>
        <translation>没有需要写入的修改</translation>
    </message>
    <message>
        <source>将以下 %1 项写入设备:</source>
        <translation>将以下 %1 项写入设备:</translation>
    </message>
    <message>
        <source>…… 其余 %1 项见详细信息</source>
        <translation>…… 其余 %1 项见详细信息</translation>
    </message>
    <message>
        <source>正在同步时间 ……</source>
        <translation>正在同步时间 ……</translation>
    </message>
    <message>
        <source>正在测试连接 ……</source>
        <translation>正在测试连接 ……</translation>
    </message>
    <message>
        <source>请检查通讯设置中的地址、端口、串口线和设备地址。</source>
        <translation>请检查通讯设置中的地址、端口、串口线和设备地址。</translation>
    </message>
    <message>
        <source>操作(&amp;O)</source>
        <translation>操作(&amp;O)</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>语言(&amp;L)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>关于(&amp;A)</translation>
    </message>
    <message>
        <source>恢复备份(&amp;B)...</source>
        <translation>恢复备份(&amp;B)...</translation>
    </message>
    <message>
        <source>测试连接(&amp;T)</source>
        <translation>测试连接(&amp;T)</translation>
    </message>
    <message>
        <source>使用手册(&amp;M)</source>
        <translation>使用手册(&amp;M)</translation>
    </message>
    <message>
        <source>使用手册</source>
        <translation>使用手册</translation>
    </message>
    <message>
        <source>请检查串口是否存在 (适配器已插好)、是否被其他程序占用, 以及通讯设置中的串口名。</source>
        <translation>请检查串口是否存在 (适配器已插好)、是否被其他程序占用, 以及通讯设置中的串口名。</translation>
    </message>
    <message>
        <source>在 Linux 上, 串口属于 dialout 组: 执行 sudo usermod -aG dialout &quot;$USER&quot; 后重新登录, 再用 ls -l 与 id 核对权限。</source>
        <translation>在 Linux 上, 串口属于 dialout 组: 执行 sudo usermod -aG dialout &quot;$USER&quot; 后重新登录, 再用 ls -l 与 id 核对权限。</translation>
    </message>
    <message>
        <source>来自 %1 的读取</source>
        <translation>来自 %1 的读取</translation>
    </message>
    <message>
        <source>设备时钟已设为 %1</source>
        <translation>设备时钟已设为 %1</translation>
    </message>
    <message>
        <source>通讯设置(&amp;C)</source>
        <translation>通讯设置(&amp;C)</translation>
    </message>
    <message>
        <source>刷新(&amp;R)</source>
        <translation>刷新(&amp;R)</translation>
    </message>
    <message>
        <source>导入配置(&amp;I)</source>
        <translation>导入配置(&amp;I)</translation>
    </message>
    <message>
        <source>导出配置(&amp;E)</source>
        <translation>导出配置(&amp;E)</translation>
    </message>
    <message>
        <source>同步时间(&amp;S)</source>
        <translation>同步时间(&amp;S)</translation>
    </message>
    <message>
        <source>历史数据(&amp;H)</source>
        <translation>历史数据(&amp;H)</translation>
    </message>
    <message>
        <source>更新固件(&amp;F)</source>
        <translation>更新固件(&amp;F)</translation>
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
        <translation>设备监听(&amp;M)</translation>
    </message>
    <message>
        <source>写入修改(&amp;G)</source>
        <translation>写入修改(&amp;G)</translation>
    </message>
    <message>
        <source>请检查设备是否已上电并接入网络、与本机是否在同一网段, 以及防火墙是否放行 UDP 端口 %1 的广播和应答。</source>
        <translation>请检查设备是否已上电并接入网络、与本机是否在同一网段, 以及防火墙是否放行 UDP 端口 %1 的广播和应答。</translation>
    </message>
    <message>
        <source>查找设备</source>
        <translation>查找设备</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>未找到设备</translation>
    </message>
    <message>
        <source>写入全部配置(&amp;W)...</source>
        <translation>写入全部配置(&amp;W)...</translation>
    </message>
    <message>
        <source>写入全部配置</source>
        <translation>写入全部配置</translation>
    </message>
</context>
<context>
    <name>ManualWindow</name>
    <message>
        <source>使用手册</source>
        <translation>使用手册</translation>
    </message>
</context>
<context>
    <name>ModifyDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>提交</translation>
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
        <translation>设备监听</translation>
    </message>
    <message>
        <source>原始数据</source>
        <translation>原始数据</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>十六进制</translation>
    </message>
    <message>
        <source>原始数据 + 十六进制</source>
        <translation>原始数据 + 十六进制</translation>
    </message>
    <message>
        <source>时间戳</source>
        <translation>时间戳</translation>
    </message>
    <message>
        <source>原始数据也带上接收时间和字节数</source>
        <translation>原始数据也带上接收时间和字节数</translation>
    </message>
    <message>
        <source>调试信息</source>
        <translation>调试信息</translation>
    </message>
    <message>
        <source>开始监听</source>
        <translation>开始监听</translation>
    </message>
    <message>
        <source>停止监听</source>
        <translation>停止监听</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>清除</translation>
    </message>
    <message>
        <source>查找 (Ctrl+F)</source>
        <translation>查找 (Ctrl+F)</translation>
    </message>
    <message>
        <source>上一个</source>
        <translation>上一个</translation>
    </message>
    <message>
        <source>下一个</source>
        <translation>下一个</translation>
    </message>
    <message>
        <source>筛选: 只显示含有此文字的行</source>
        <translation>筛选: 只显示含有此文字的行</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>暂停</translation>
    </message>
    <message>
        <source>跟随</source>
        <translation>跟随</translation>
    </message>
    <message>
        <source>记录到文件…</source>
        <translation>记录到文件…</translation>
    </message>
    <message>
        <source>记录到文件</source>
        <translation>记录到文件</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>无法写入文件 %1: %2</source>
        <translation>无法写入文件 %1: %2</translation>
    </message>
    <message>
        <source>停止记录</source>
        <translation>停止记录</translation>
    </message>
    <message>
        <source>记录到: %1</source>
        <translation>记录到: %1</translation>
    </message>
    <message>
        <source>文本文件 (*.txt *.log)</source>
        <translation>文本文件 (*.txt *.log)</translation>
    </message>
    <message>
        <source>监听中…  %1 行, %2 行/秒</source>
        <translation>监听中…  %1 行, %2 行/秒</translation>
    </message>
    <message>
        <source>已停止  %1 行</source>
        <translation>已停止  %1 行</translation>
    </message>
    <message>
        <source>,  丢失 %1 个数据报</source>
        <translation>,  丢失 %1 个数据报</translation>
    </message>
    <message>
        <source>保存显示内容…</source>
        <translation>保存显示内容…</translation>
    </message>
    <message>
        <source>把视图中显示的行按当前显示方式保存到文件</source>
        <translation>把视图中显示的行按当前显示方式保存到文件</translation>
    </message>
    <message>
        <source>保存显示内容</source>
        <translation>保存显示内容</translation>
    </message>
</context>
<context>
    <name>MonitorThread</name>
    <message>
        <source>设备监听</source>
        <translation>设备监听</translation>
    </message>
    <message>
        <source>监听调试</source>
        <translation>监听调试</translation>
    </message>
</context>
<context>
    <name>NeutralAboutDialog</name>
    <message>
        <source>关于</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>版本 %1, 构建于 %2, Qt %3</source>
        <translation>版本 %1, 构建于 %2, Qt %3</translation>
    </message>
    <message>
        <source>许可: 专有软件, 仅供配置 ZQ 系列仪器使用; Qt 按 LGPL 第 3 版使用。</source>
        <translation>许可: 专有软件, 仅供配置 ZQ 系列仪器使用; Qt 按 LGPL 第 3 版使用。</translation>
    </message>
    <message>
        <source>设置文件 config.ini:</source>
        <translation>设置文件 config.ini:</translation>
    </message>
    <message>
        <source>配置备份:</source>
        <translation>配置备份:</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>打开文件夹</translation>
    </message>
</context>
<context>
    <name>OperationsLog</name>
    <message>
        <source>操作记录</source>
        <translation>操作记录</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>时间</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>操作</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>结果</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>操作记录(&amp;L)</source>
        <translation>操作记录(&amp;L)</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>CRC校验错误</source>
        <translation>CRC校验错误</translation>
    </message>
    <message>
        <source>发送命令超时</source>
        <translation>发送命令超时</translation>
    </message>
    <message>
        <source>接收数据超时</source>
        <translation>接收数据超时</translation>
    </message>
    <message>
        <source>未定义的错误</source>
        <translation>未定义的错误</translation>
    </message>
    <message>
        <source>串口打开失败</source>
        <translation>串口打开失败</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>打开串口失败: %1</translation>
    </message>
    <message>
        <source>接受数据超时</source>
        <translation>接受数据超时</translation>
    </message>
    <message>
        <source>发送命令失败</source>
        <translation>发送命令失败</translation>
    </message>
    <message>
        <source>请选择设备</source>
        <translation>请选择设备</translation>
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
        <translation type="unfinished">日期</translation>
    </message>
    <message>
        <source>时间</source>
        <translation type="unfinished">时间</translation>
    </message>
    <message>
        <source>第 %1 列</source>
        <translation>第 %1 列</translation>
    </message>
</context>
<context>
    <name>RefreshThread</name>
    <message>
        <source>... (共 %1 字节)</source>
        <translation>... (共 %1 字节)</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
    <message>
        <source>数据长度校验错误 : 
%1</source>
        <translation>数据长度校验错误 : 
%1</translation>
    </message>
    <message>
        <source>地址或命令校验错误: 
%1</source>
        <translation>地址或命令校验错误: 
%1</translation>
    </message>
</context>
<context>
    <name>SearchCommand</name>
    <message>
        <source>没有仪器应答</source>
        <translation>同步时间&lt;/source&gt;
        &lt;translation&gt;同步时间&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+11&quot;/&gt;
        &lt;source&gt;同步时间失败&lt;/source&gt;
        &lt;translation&gt;同步时间失败&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+2&quot;/&gt;
        &lt;source&gt;同步时间成功&lt;/source&gt;
        &lt;translation&gt;同步时间成功&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;ConfigCsv&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../config/configcsv.cpp&quot; line=&quot;+10&quot;/&gt;
        &lt;source&gt;导出配置&lt;/source&gt;
        &lt;translation&gt;导出配置&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+4&quot;/&gt;
        &lt;location line=&quot;+19&quot;/&gt;
        &lt;source&gt;打开文件失败: %1&lt;/source&gt;
        &lt;translation&gt;打开文件失败: %1&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;-10&quot;/&gt;
        &lt;source&gt;写入文件失败: %1&lt;/source&gt;
        &lt;translation&gt;写入文件失败: %1&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+1&quot;/&gt;
        &lt;source&gt;导出配置成功&lt;/source&gt;
        &lt;translation&gt;导出配置成功&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+5&quot;/&gt;
        &lt;source&gt;导入配置&lt;/source&gt;
        &lt;translation&gt;导入配置&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+13&quot;/&gt;
        &lt;source&gt;文件解析错误&lt;/source&gt;
        &lt;translation&gt;文件解析错误&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;ConfigWriter&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../config/configwriter.cpp&quot; line=&quot;+31&quot;/&gt;
        &lt;location line=&quot;+16&quot;/&gt;
        &lt;location line=&quot;+23&quot;/&gt;
        &lt;source&gt;写入配置&lt;/source&gt;
        &lt;translation&gt;写入配置&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;-39&quot;/&gt;
        &lt;location line=&quot;+1&quot;/&gt;
        &lt;source&gt;写入错误,连接设备失败&lt;/source&gt;
        &lt;translation&gt;写入错误,连接设备失败&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+15&quot;/&gt;
        &lt;location line=&quot;+23&quot;/&gt;
        &lt;source&gt;写入配置失败: %1&lt;/source&gt;
        &lt;translation&gt;写入配置失败: %1&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+6&quot;/&gt;
        &lt;location line=&quot;+32&quot;/&gt;
        &lt;source&gt;写入配置成功&lt;/source&gt;
        &lt;translation&gt;写入配置成功&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;-26&quot;/&gt;
        &lt;source&gt;提交&lt;/source&gt;
        &lt;translation&gt;提交&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+5&quot;/&gt;
        &lt;source&gt;数值过长: 编码后 %1 字节, 最多允许 %2 字节&lt;/source&gt;
        &lt;translation&gt;数值过长: 编码后 %1 字节, 最多允许 %2 字节&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;数值过长: 最多允许 %1 字节&lt;/source&gt;
        &lt;translation&gt;数值过长: 最多允许 %1 字节&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;硬件返回数据校验错误&lt;/source&gt;
        &lt;translation&gt;硬件返回数据校验错误&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+6&quot;/&gt;
        &lt;source&gt;写入配置失败,该项不支持修改&lt;/source&gt;
        &lt;translation&gt;写入配置失败,该项不支持修改&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;DDbServer&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../firmware/ddbserver.cpp&quot; line=&quot;+55&quot;/&gt;
        &lt;source&gt;解析文件失败,文件不存在或拒绝访问!&lt;/source&gt;
        &lt;translation&gt;解析文件失败,文件不存在或拒绝访问!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+7&quot;/&gt;
        &lt;source&gt;解析文件失败,打开文件失败,请检查文件类型!&lt;/source&gt;
        &lt;translation&gt;解析文件失败,打开文件失败,请检查文件类型!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;location line=&quot;+2&quot;/&gt;
        &lt;source&gt;解析文件失败,文件操作失败!&lt;/source&gt;
        &lt;translation&gt;解析文件失败,文件操作失败!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+6&quot;/&gt;
        &lt;source&gt;解析文件失败,无法获取文件内容!&lt;/source&gt;
        &lt;translation&gt;解析文件失败,无法获取文件内容!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+6&quot;/&gt;
        &lt;source&gt;解析文件失败,文件校验失败!&lt;/source&gt;
        &lt;translation&gt;解析文件失败,文件校验失败!&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;DeviceTypeMgr&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../firmware/devicetypemgr.cpp&quot; line=&quot;+63&quot;/&gt;
        &lt;source&gt;获取设备列表失败,请重试!&lt;/source&gt;
        &lt;translation&gt;获取设备列表失败,请重试!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+2&quot;/&gt;
        &lt;source&gt;%1 秒内没有收到任何数据&lt;/source&gt;
        &lt;translation&gt;%1 秒内没有收到任何数据&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;DownloadThread&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../firmware/downloadthread.cpp&quot; line=&quot;+59&quot;/&gt;
        &lt;source&gt;下载失败,文件名不合法: %1&lt;/source&gt;
        &lt;translation&gt;下载失败,文件名不合法: %1&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+11&quot;/&gt;
        &lt;source&gt;下载失败,打开文件失败: %1&lt;/source&gt;
        &lt;translation&gt;下载失败,打开文件失败: %1&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+38&quot;/&gt;
        &lt;location line=&quot;+4&quot;/&gt;
        &lt;location line=&quot;+6&quot;/&gt;
        &lt;source&gt;下载异常: %1&lt;/source&gt;
        &lt;translation&gt;下载异常: %1&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;-6&quot;/&gt;
        &lt;source&gt;%1 秒内没有收到任何数据&lt;/source&gt;
        &lt;translation&gt;%1 秒内没有收到任何数据&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;source&gt;下载异常: 未找到该文件或下载失败&lt;/source&gt;
        &lt;translation&gt;下载异常: 未找到该文件或下载失败&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;MainWindow&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../forms/mainwindow.ui&quot; line=&quot;+14&quot;/&gt;
        &lt;source&gt;MainWindow&lt;/source&gt;
        &lt;translation&gt;MainWindow&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+14&quot;/&gt;
        &lt;source&gt;操作&lt;/source&gt;
        &lt;translation&gt;操作&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+14&quot;/&gt;
        &lt;source&gt;语言&lt;/source&gt;
        &lt;translation&gt;语言&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+8&quot;/&gt;
        &lt;source&gt;帮助&lt;/source&gt;
        &lt;translation&gt;帮助&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+11&quot;/&gt;
        &lt;source&gt;toolBar&lt;/source&gt;
        &lt;translation&gt;toolBar&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+29&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;通讯设置&lt;/source&gt;
        &lt;translation&gt;通讯设置&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;刷新&lt;/source&gt;
        &lt;translation&gt;刷新&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;location filename=&quot;../app/mainwindow_config.cpp&quot; line=&quot;+124&quot;/&gt;
        &lt;source&gt;导入配置&lt;/source&gt;
        &lt;translation&gt;导入配置&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;location filename=&quot;../app/mainwindow_config.cpp&quot; line=&quot;-10&quot;/&gt;
        &lt;source&gt;导出配置&lt;/source&gt;
        &lt;translation&gt;导出配置&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;写入配置&lt;/source&gt;
        &lt;translation&gt;写入配置&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;同步时间&lt;/source&gt;
        &lt;translation&gt;同步时间&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;历史数据&lt;/source&gt;
        &lt;translation&gt;历史数据&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;更新固件&lt;/source&gt;
        &lt;translation&gt;更新固件&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;关于&lt;/source&gt;
        &lt;translation&gt;关于&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+8&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;English&lt;/source&gt;
        &lt;translation&gt;English&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+8&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;简体中文&lt;/source&gt;
        &lt;translation&gt;简体中文&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+8&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;繁體中文&lt;/source&gt;
        &lt;translation&gt;繁體中文&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;设备监听&lt;/source&gt;
        &lt;translation&gt;设备监听&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../app/mainwindow.cpp&quot; line=&quot;+59&quot;/&gt;
        &lt;source&gt;准备就绪&lt;/source&gt;
        &lt;translation&gt;准备就绪&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+19&quot;/&gt;
        &lt;location filename=&quot;../app/mainwindow_config.cpp&quot; line=&quot;-51&quot;/&gt;
        &lt;source&gt;确定&lt;/source&gt;
        &lt;translation&gt;确定&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../app/mainwindow_config.cpp&quot; line=&quot;+21&quot;/&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;location line=&quot;+4&quot;/&gt;
        &lt;source&gt;正在写入配置......&lt;/source&gt;
        &lt;translation&gt;正在写入配置......&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;-33&quot;/&gt;
        &lt;source&gt;取消&lt;/source&gt;
        &lt;translation&gt;取消&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+53&quot;/&gt;
        &lt;source&gt;正在导出配置......&lt;/source&gt;
        &lt;translation&gt;正在导出配置......&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+10&quot;/&gt;
        &lt;source&gt;正在导入配置......&lt;/source&gt;
        &lt;translation&gt;正在导入配置......&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;ModifyDialog&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../forms/modifydialog.ui&quot; line=&quot;+26&quot;/&gt;
        &lt;source&gt;Dialog&lt;/source&gt;
        &lt;translation&gt;Dialog&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+12&quot;/&gt;
        &lt;source&gt;提交&lt;/source&gt;
        &lt;translation&gt;提交&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+16&quot;/&gt;
        &lt;source&gt;取消&lt;/source&gt;
        &lt;translation&gt;取消&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;NeutralAboutDialog&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../forms/neutralaboutdialog.ui&quot; line=&quot;+14&quot;/&gt;
        &lt;source&gt;关于&lt;/source&gt;
        &lt;translation&gt;关于&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+29&quot;/&gt;
        &lt;source&gt;确定&lt;/source&gt;
        &lt;translation&gt;确定&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;QObject&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../prompt/messageboxes.cpp&quot; line=&quot;+15&quot;/&gt;
        &lt;source&gt;确定&lt;/source&gt;
        &lt;translation&gt;确定&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+8&quot;/&gt;
        &lt;source&gt;错误&lt;/source&gt;
        &lt;translation&gt;错误&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+5&quot;/&gt;
        &lt;source&gt;信息&lt;/source&gt;
        &lt;translation&gt;信息&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../link/frames.cpp&quot; line=&quot;+94&quot;/&gt;
        &lt;source&gt;CRC校验错误&lt;/source&gt;
        &lt;translation&gt;CRC校验错误&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+2&quot;/&gt;
        &lt;location filename=&quot;../link/linkchannel.cpp&quot; line=&quot;+216&quot;/&gt;
        &lt;location line=&quot;+32&quot;/&gt;
        &lt;location filename=&quot;../tools/zq-cli/failureclass.cpp&quot; line=&quot;+10&quot;/&gt;
        &lt;source&gt;发送命令超时&lt;/source&gt;
        &lt;translation&gt;发送命令超时&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+2&quot;/&gt;
        &lt;location filename=&quot;../tools/zq-cli/failureclass.cpp&quot; line=&quot;+1&quot;/&gt;
        &lt;source&gt;接收数据超时&lt;/source&gt;
        &lt;translation&gt;接收数据超时&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+2&quot;/&gt;
        &lt;source&gt;未定义的错误&lt;/source&gt;
        &lt;translation&gt;未定义的错误&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../link/linkchannel.cpp&quot; line=&quot;-195&quot;/&gt;
        &lt;source&gt;串口打开失败&lt;/source&gt;
        &lt;translation&gt;串口打开失败&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+2&quot;/&gt;
        &lt;source&gt;打开串口失败: %1&lt;/source&gt;
        &lt;translation&gt;打开串口失败: %1&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+166&quot;/&gt;
        &lt;location line=&quot;+31&quot;/&gt;
        &lt;source&gt;接受数据超时&lt;/source&gt;
        &lt;translation&gt;接受数据超时&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;-13&quot;/&gt;
        &lt;location line=&quot;+5&quot;/&gt;
        &lt;source&gt;发送命令失败&lt;/source&gt;
        &lt;translation&gt;发送命令失败&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../setup/ui/searchdevicedialog.cpp&quot; line=&quot;+45&quot;/&gt;
        &lt;location line=&quot;+30&quot;/&gt;
        &lt;source&gt;请选择设备&lt;/source&gt;
        &lt;translation&gt;请选择设备&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;RefreshThread&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../config/refreshthread.cpp&quot; line=&quot;+21&quot;/&gt;
        &lt;source&gt;刷新&lt;/source&gt;
        &lt;translation&gt;刷新&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;SearchCommand&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../tools/zq-cli/searchcommand.cpp&quot; line=&quot;+33&quot;/&gt;
        &lt;source&gt;没有仪器应答</translation>
    </message>
</context>
<context>
    <name>SearchDeviceDialog</name>
    <message>
        <source>查找设备</source>
        <translation>查找设备</translation>
    </message>
    <message>
        <source>重新搜索</source>
        <translation>重新搜索</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>%1    地址 %2    端口 %3</source>
        <translation>%1    地址 %2    端口 %3</translation>
    </message>
    <message>
        <source>正在查找设备...</source>
        <translation>正在查找设备...</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>未找到设备</translation>
    </message>
    <message>
        <source>找到 %1 台设备</source>
        <translation>找到 %1 台设备</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <source>串口设置</source>
        <translation>串口设置</translation>
    </message>
    <message>
        <source>Serial通讯</source>
        <translation>Serial通讯</translation>
    </message>
    <message>
        <source>串口号：</source>
        <translation>串口号：</translation>
    </message>
    <message>
        <source>波特率：</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <source>数据位：</source>
        <translation>数据位：</translation>
    </message>
    <message>
        <source>奇偶校验：</source>
        <translation>奇偶校验：</translation>
    </message>
    <message>
        <source>停止位：</source>
        <translation>停止位：</translation>
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
        <translation>Udp通讯</translation>
    </message>
    <message>
        <source>地址：</source>
        <translation>地址：</translation>
    </message>
    <message>
        <source>端口：</source>
        <translation>端口：</translation>
    </message>
    <message>
        <source>查找设备</source>
        <translation>查找设备</translation>
    </message>
    <message>
        <source>设备地址：</source>
        <translation>设备地址：</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>请选择串口!</source>
        <translation>请选择串口!</translation>
    </message>
    <message>
        <source>请选择波特率!</source>
        <translation>请选择波特率!</translation>
    </message>
    <message>
        <source>波特率超出范围!</source>
        <translation>波特率超出范围!</translation>
    </message>
    <message>
        <source>请输入UDP地址</source>
        <translation>请输入UDP地址</translation>
    </message>
    <message>
        <source>None</source>
        <translation>None</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Even</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Odd</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>UDP地址无效, 请输入 IPv4 或 IPv6 地址</source>
        <translation>UDP地址无效, 请输入 IPv4 或 IPv6 地址</translation>
    </message>
    <message>
        <source>请输入UDP端口</source>
        <translation>请输入UDP端口</translation>
    </message>
    <message>
        <source>UDP端口必须是 1 到 65535 之间的数字</source>
        <translation>UDP端口必须是 1 到 65535 之间的数字</translation>
    </message>
    <message>
        <source>UDP端口不能大于65535</source>
        <translation>UDP端口不能大于65535</translation>
    </message>
</context>
<context>
    <name>UpdateConfirmation</name>
    <message>
        <source>更新固件</source>
        <translation>更新固件</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>仪器: 型号 %1, 固件版本 %2</source>
        <translation>仪器: 型号 %1, 固件版本 %2</translation>
    </message>
    <message>
        <source>固件包: 设备 %1, 型号 %2, 版本 %3</source>
        <translation>固件包: 设备 %1, 型号 %2, 版本 %3</translation>
    </message>
    <message>
        <source>固件大小 %1 字节, 文件日期 %2</source>
        <translation>固件大小 %1 字节, 文件日期 %2</translation>
    </message>
    <message>
        <source>烧写期间请不要断开仪器。要开始烧写吗?</source>
        <translation>烧写期间请不要断开仪器。要开始烧写吗?</translation>
    </message>
    <message>
        <source>烧写</source>
        <translation>烧写</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>更新固件</source>
        <translation>更新固件</translation>
    </message>
    <message>
        <source>文件：</source>
        <translation>文件：</translation>
    </message>
    <message>
        <source>设备：</source>
        <translation>设备：</translation>
    </message>
    <message>
        <source>型号：</source>
        <translation>型号：</translation>
    </message>
    <message>
        <source>仪器型号：</source>
        <translation>仪器型号：</translation>
    </message>
    <message>
        <source>版本：</source>
        <translation>版本：</translation>
    </message>
    <message>
        <source>进度：</source>
        <translation>进度：</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>选择文件</translation>
    </message>
    <message>
        <source>烧写</source>
        <translation>烧写</translation>
    </message>
    <message>
        <source>下载文件</source>
        <translation>下载文件</translation>
    </message>
    <message>
        <source>页面：</source>
        <translation>页面：</translation>
    </message>
    <message>
        <source>列表：</source>
        <translation>列表：</translation>
    </message>
    <message>
        <source>路径：</source>
        <translation>路径：</translation>
    </message>
    <message>
        <source>刷新文件列表</source>
        <translation>刷新文件列表</translation>
    </message>
    <message>
        <source>选择路径</source>
        <translation>选择路径</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>请选择文件!</source>
        <translation>请选择文件!</translation>
    </message>
    <message>
        <source>更新失败,文件不存在或拒绝访问!</source>
        <translation>更新失败,文件不存在或拒绝访问!</translation>
    </message>
    <message>
        <source>固件更新成功!</source>
        <translation>固件更新成功!</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>名称</translation>
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
        <translation>上一次更新正在结束, 请稍候</translation>
    </message>
    <message>
        <source>等待上一次更新结束</source>
        <translation>等待上一次更新结束</translation>
    </message>
    <message>
        <source>请在“页面”中填写固件下载页面的完整地址!</source>
        <translation>请在“页面”中填写固件下载页面的完整地址!</translation>
    </message>
    <message>
        <source>固件下载页面地址无效: %1</source>
        <translation>固件下载页面地址无效: %1</translation>
    </message>
    <message>
        <source>请选择设备类型!</source>
        <translation>请选择设备类型!</translation>
    </message>
    <message>
        <source>请选择下载路径!</source>
        <translation>请选择下载路径!</translation>
    </message>
    <message>
        <source>文件 %1 已存在,要替换它吗?</source>
        <translation>文件 %1 已存在,要替换它吗?</translation>
    </message>
    <message>
        <source>文件下载成功!</source>
        <translation>文件下载成功!</translation>
    </message>
    <message>
        <source>已保存到: %1</source>
        <translation>已保存到: %1</translation>
    </message>
    <message>
        <source>选择此文件更新</source>
        <translation>选择此文件更新</translation>
    </message>
    <message>
        <source>正在更新固件,请等待更新完成!</source>
        <translation>正在更新固件,请等待更新完成!</translation>
    </message>
    <message>
        <source>失败: 无法打开连接</source>
        <translation>失败: 无法打开连接</translation>
    </message>
    <message>
        <source>失败: 仪器没有应答识别请求</source>
        <translation>失败: 仪器没有应答识别请求</translation>
    </message>
    <message>
        <source>已拒绝: 型号不符</source>
        <translation>已拒绝: 型号不符</translation>
    </message>
    <message>
        <source>已取消, 没有写入任何数据</source>
        <translation>已取消, 没有写入任何数据</translation>
    </message>
    <message>
        <source>失败: 擦除未被确认</source>
        <translation>失败: 擦除未被确认</translation>
    </message>
    <message>
        <source>失败: 第 %1 / %2 页未被确认</source>
        <translation>失败: 第 %1 / %2 页未被确认</translation>
    </message>
    <message>
        <source>第 %1/4 步: %2</source>
        <translation>第 %1/4 步: %2</translation>
    </message>
    <message>
        <source>仪器没有被擦除, 仍在运行原来的固件。请检查连接和通信设置, 然后再次烧写。</source>
        <translation>仪器没有被擦除, 仍在运行原来的固件。请检查连接和通信设置, 然后再次烧写。</translation>
    </message>
    <message>
        <source>仪器没有被擦除, 仍在运行原来的固件。请选择与仪器型号相符的固件包。</source>
        <translation>仪器没有被擦除, 仍在运行原来的固件。请选择与仪器型号相符的固件包。</translation>
    </message>
    <message>
        <source>仪器没有被擦除, 仍在运行原来的固件。</source>
        <translation>仪器没有被擦除, 仍在运行原来的固件。</translation>
    </message>
    <message>
        <source>擦除请求已发出但未被确认: 仪器原来的固件可能已被擦除, 它会在引导程序中等待新的固件。请用同一个固件包再次烧写; 仪器保留其引导程序。</source>
        <translation>擦除请求已发出但未被确认: 仪器原来的固件可能已被擦除, 它会在引导程序中等待新的固件。请用同一个固件包再次烧写; 仪器保留其引导程序。</translation>
    </message>
    <message>
        <source>仪器原来的固件已被擦除, 新固件只写入了 %1 / %2 页: 仪器正在引导程序中等待完整的固件。请不要断开仪器, 用同一个固件包再次烧写; 仪器保留其引导程序。</source>
        <translation>仪器原来的固件已被擦除, 新固件只写入了 %1 / %2 页: 仪器正在引导程序中等待完整的固件。请不要断开仪器, 用同一个固件包再次烧写; 仪器保留其引导程序。</translation>
    </message>
    <message>
        <source>仪器在 %1 秒内没有应答, 未能读取新的固件版本; 请稍后读取配置。</source>
        <translation>仪器在 %1 秒内没有应答, 未能读取新的固件版本; 请稍后读取配置。</translation>
    </message>
    <message>
        <source>仪器的配置中没有固件版本。</source>
        <translation>仪器的配置中没有固件版本。</translation>
    </message>
    <message>
        <source>固件已更新: 仪器现在的版本是 %1</source>
        <translation>固件已更新: 仪器现在的版本是 %1</translation>
    </message>
    <message>
        <source>固件已更新: %1 → %2</source>
        <translation>固件已更新: %1 → %2</translation>
    </message>
    <message>
        <source>仪器的固件版本未知 (请先读取配置), 无法与固件包的版本 %1 比较。</source>
        <translation>仪器的固件版本未知 (请先读取配置), 无法与固件包的版本 %1 比较。</translation>
    </message>
    <message>
        <source>升级: 固件包的版本 %1 比仪器的版本 %2 新。</source>
        <translation>升级: 固件包的版本 %1 比仪器的版本 %2 新。</translation>
    </message>
    <message>
        <source>固件包的版本 %1 与仪器的版本 %2 相同。</source>
        <translation>固件包的版本 %1 与仪器的版本 %2 相同。</translation>
    </message>
    <message>
        <source>降级: 固件包的版本 %1 比仪器的版本 %2 旧。</source>
        <translation>降级: 固件包的版本 %1 比仪器的版本 %2 旧。</translation>
    </message>
    <message>
        <source>固件包的版本 %1 与仪器的版本 %2 无法比较。</source>
        <translation>固件包的版本 %1 与仪器的版本 %2 无法比较。</translation>
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
        <translation>固件包中没有固件数据,不能烧写!</translation>
    </message>
    <message>
        <source>固件包中没有设备型号,不能烧写!</source>
        <translation>固件包中没有设备型号,不能烧写!</translation>
    </message>
    <message>
        <source>第 1/4 步: 识别仪器</source>
        <translation>第 1/4 步: 识别仪器</translation>
    </message>
    <message>
        <source>第 2/4 步: 擦除仪器内存</source>
        <translation>第 2/4 步: 擦除仪器内存</translation>
    </message>
    <message>
        <source>第 3/4 步: 写入第 %1 / %2 页</source>
        <translation>第 3/4 步: 写入第 %1 / %2 页</translation>
    </message>
    <message>
        <source>第 4/4 步: 结束更新, 等待仪器重启 (最多 %1 秒)</source>
        <translation>第 4/4 步: 结束更新, 等待仪器重启 (最多 %1 秒)</translation>
    </message>
    <message>
        <source>固件更新失败,</source>
        <translation>固件更新失败,</translation>
    </message>
    <message>
        <source>固件更新失败,获取设备ID失败!</source>
        <translation>固件更新失败,获取设备ID失败!</translation>
    </message>
    <message>
        <source>固件更新失败,BIN文件与设备型号不一致!</source>
        <translation>固件更新失败,BIN文件与设备型号不一致!</translation>
    </message>
    <message>
        <source>固件包的型号: %1, 仪器的型号: %2</source>
        <translation>固件包的型号: %1, 仪器的型号: %2</translation>
    </message>
    <message>
        <source>固件更新失败,擦除设备内存失败!</source>
        <translation>固件更新失败,擦除设备内存失败!</translation>
    </message>
    <message>
        <source>固件更新失败,发送文件数据失败!</source>
        <translation>固件更新失败,发送文件数据失败!</translation>
    </message>
</context>
<context>
    <name>WriteCommand</name>
    <message>
        <source>(无)</source>
        <translation>(无)</translation>
    </message>
    <message>
        <source>没有需要写入的项</source>
        <translation>查找设备&lt;/source&gt;
        &lt;translation&gt;查找设备&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+15&quot;/&gt;
        &lt;source&gt;搜索&lt;/source&gt;
        &lt;translation&gt;搜索&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+20&quot;/&gt;
        &lt;source&gt;确定&lt;/source&gt;
        &lt;translation&gt;确定&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+10&quot;/&gt;
        &lt;source&gt;取消&lt;/source&gt;
        &lt;translation&gt;取消&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;SetupDialog&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../forms/setupdialog.ui&quot; line=&quot;+14&quot;/&gt;
        &lt;source&gt;串口设置&lt;/source&gt;
        &lt;translation&gt;串口设置&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+13&quot;/&gt;
        &lt;source&gt;Serial通讯&lt;/source&gt;
        &lt;translation&gt;Serial通讯&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;source&gt;串口号：&lt;/source&gt;
        &lt;translation&gt;串口号：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+17&quot;/&gt;
        &lt;source&gt;波特率：&lt;/source&gt;
        &lt;translation&gt;波特率：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+17&quot;/&gt;
        &lt;source&gt;数据位：&lt;/source&gt;
        &lt;translation&gt;数据位：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+10&quot;/&gt;
        &lt;source&gt;奇偶校验：&lt;/source&gt;
        &lt;translation&gt;奇偶校验：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+10&quot;/&gt;
        &lt;source&gt;停止位：&lt;/source&gt;
        &lt;translation&gt;停止位：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+10&quot;/&gt;
        &lt;source&gt;RTS&lt;/source&gt;
        &lt;translation&gt;RTS&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+7&quot;/&gt;
        &lt;source&gt;DTR&lt;/source&gt;
        &lt;translation&gt;DTR&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+10&quot;/&gt;
        &lt;source&gt;Udp通讯&lt;/source&gt;
        &lt;translation&gt;Udp通讯&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+12&quot;/&gt;
        &lt;source&gt;地址：&lt;/source&gt;
        &lt;translation&gt;地址：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+10&quot;/&gt;
        &lt;source&gt;端口：&lt;/source&gt;
        &lt;translation&gt;端口：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+17&quot;/&gt;
        &lt;source&gt;查找设备&lt;/source&gt;
        &lt;translation&gt;查找设备&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+19&quot;/&gt;
        &lt;source&gt;设备地址：&lt;/source&gt;
        &lt;translation&gt;设备地址：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+22&quot;/&gt;
        &lt;source&gt;确定&lt;/source&gt;
        &lt;translation&gt;确定&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+10&quot;/&gt;
        &lt;source&gt;取消&lt;/source&gt;
        &lt;translation&gt;取消&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../setup/ui/setupdialog.cpp&quot; line=&quot;+129&quot;/&gt;
        &lt;source&gt;请选择串口!&lt;/source&gt;
        &lt;translation&gt;请选择串口!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+4&quot;/&gt;
        &lt;source&gt;请选择波特率!&lt;/source&gt;
        &lt;translation&gt;请选择波特率!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+7&quot;/&gt;
        &lt;source&gt;波特率超出范围!&lt;/source&gt;
        &lt;translation&gt;波特率超出范围!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+14&quot;/&gt;
        &lt;source&gt;请输入UDP地址&lt;/source&gt;
        &lt;translation&gt;请输入UDP地址&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+4&quot;/&gt;
        &lt;source&gt;请输入UDP端口&lt;/source&gt;
        &lt;translation&gt;请输入UDP端口&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+5&quot;/&gt;
        &lt;source&gt;UDP端口不能大于65535&lt;/source&gt;
        &lt;translation&gt;UDP端口不能大于65535&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;UpdateDialog&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../forms/updatedialog.ui&quot; line=&quot;+14&quot;/&gt;
        &lt;location line=&quot;+16&quot;/&gt;
        &lt;location filename=&quot;../firmware/ui/updatedialog.cpp&quot; line=&quot;+68&quot;/&gt;
        &lt;source&gt;更新固件&lt;/source&gt;
        &lt;translation&gt;更新固件&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+12&quot;/&gt;
        &lt;source&gt;文件：&lt;/source&gt;
        &lt;translation&gt;文件：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+26&quot;/&gt;
        &lt;source&gt;设备：&lt;/source&gt;
        &lt;translation&gt;设备：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+26&quot;/&gt;
        &lt;source&gt;型号：&lt;/source&gt;
        &lt;translation&gt;型号：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+26&quot;/&gt;
        &lt;source&gt;版本：&lt;/source&gt;
        &lt;translation&gt;版本：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+26&quot;/&gt;
        &lt;location line=&quot;+132&quot;/&gt;
        &lt;source&gt;进度：&lt;/source&gt;
        &lt;translation&gt;进度：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;-85&quot;/&gt;
        &lt;source&gt;选择文件&lt;/source&gt;
        &lt;translation&gt;选择文件&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+7&quot;/&gt;
        &lt;source&gt;烧写&lt;/source&gt;
        &lt;translation&gt;烧写&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+17&quot;/&gt;
        &lt;location line=&quot;+122&quot;/&gt;
        &lt;location filename=&quot;../firmware/ui/updatedialog.cpp&quot; line=&quot;+113&quot;/&gt;
        &lt;source&gt;下载文件&lt;/source&gt;
        &lt;translation&gt;下载文件&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;-110&quot;/&gt;
        &lt;source&gt;列表：&lt;/source&gt;
        &lt;translation&gt;列表：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+23&quot;/&gt;
        &lt;source&gt;路径：&lt;/source&gt;
        &lt;translation&gt;路径：&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+73&quot;/&gt;
        &lt;source&gt;刷新文件列表&lt;/source&gt;
        &lt;translation&gt;刷新文件列表&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+7&quot;/&gt;
        &lt;source&gt;选择路径&lt;/source&gt;
        &lt;translation&gt;选择路径&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../firmware/ui/updatedialog.cpp&quot; line=&quot;-85&quot;/&gt;
        &lt;source&gt;请选择文件!&lt;/source&gt;
        &lt;translation&gt;请选择文件!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+4&quot;/&gt;
        &lt;source&gt;更新失败,文件不存在或拒绝访问!&lt;/source&gt;
        &lt;translation&gt;更新失败,文件不存在或拒绝访问!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+37&quot;/&gt;
        &lt;location filename=&quot;../tools/zq-cli/flashcommand.cpp&quot; line=&quot;+46&quot;/&gt;
        &lt;source&gt;固件更新成功!&lt;/source&gt;
        &lt;translation&gt;固件更新成功!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+10&quot;/&gt;
        &lt;source&gt;未设置固件下载页面,请在 config.ini 的 firmware/page 中填写下载页面的完整地址!&lt;/source&gt;
        &lt;translation&gt;未设置固件下载页面,请在 config.ini 的 firmware/page 中填写下载页面的完整地址!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+6&quot;/&gt;
        &lt;source&gt;固件下载页面地址无效: %1&lt;/source&gt;
        &lt;translation&gt;固件下载页面地址无效: %1&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+39&quot;/&gt;
        &lt;source&gt;请选择设备类型!&lt;/source&gt;
        &lt;translation&gt;请选择设备类型!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+4&quot;/&gt;
        &lt;source&gt;请选择下载路径!&lt;/source&gt;
        &lt;translation&gt;请选择下载路径!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+23&quot;/&gt;
        &lt;source&gt;文件下载成功!&lt;/source&gt;
        &lt;translation&gt;文件下载成功!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+22&quot;/&gt;
        &lt;source&gt;正在更新固件,请等待更新完成!&lt;/source&gt;
        &lt;translation&gt;正在更新固件,请等待更新完成!&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;UpdateThread&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../firmware/updatethread.cpp&quot; line=&quot;+24&quot;/&gt;
        &lt;source&gt;固件包中没有固件数据,不能烧写!&lt;/source&gt;
        &lt;translation&gt;固件包中没有固件数据,不能烧写!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+3&quot;/&gt;
        &lt;source&gt;固件包中没有设备型号,不能烧写!&lt;/source&gt;
        &lt;translation&gt;固件包中没有设备型号,不能烧写!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+58&quot;/&gt;
        &lt;source&gt;固件更新失败,&lt;/source&gt;
        &lt;translation&gt;固件更新失败,&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+7&quot;/&gt;
        &lt;location filename=&quot;../tools/zq-cli/failureclass.cpp&quot; line=&quot;+2&quot;/&gt;
        &lt;source&gt;固件更新失败,获取设备ID失败!&lt;/source&gt;
        &lt;translation&gt;固件更新失败,获取设备ID失败!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+5&quot;/&gt;
        &lt;source&gt;固件更新失败,BIN文件与设备型号不一致!&lt;/source&gt;
        &lt;translation&gt;固件更新失败,BIN文件与设备型号不一致!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+6&quot;/&gt;
        &lt;source&gt;固件更新失败,擦除设备内存失败!&lt;/source&gt;
        &lt;translation&gt;固件更新失败,擦除设备内存失败!&lt;/translation&gt;
    &lt;/message&gt;
    &lt;message&gt;
        &lt;location line=&quot;+9&quot;/&gt;
        &lt;source&gt;固件更新失败,发送文件数据失败!&lt;/source&gt;
        &lt;translation&gt;固件更新失败,发送文件数据失败!&lt;/translation&gt;
    &lt;/message&gt;
&lt;/context&gt;
&lt;context&gt;
    &lt;name&gt;WriteCommand&lt;/name&gt;
    &lt;message&gt;
        &lt;location filename=&quot;../tools/zq-cli/writecommand.cpp&quot; line=&quot;+75&quot;/&gt;
        &lt;source&gt;没有需要写入的项</translation>
    </message>
    <message>
        <source>仪器拒绝了 %1 项: %2</source>
        <translation>仪器拒绝了 %1 项: %2</translation>
    </message>
    <message>
        <source>未写入: %1</source>
        <translation>未写入: %1</translation>
    </message>
    <message>
        <source>写入已中断: 已写入 %1 项, 未写入 %2 项</source>
        <translation>写入已中断: 已写入 %1 项, 未写入 %2 项</translation>
    </message>
</context>
</TS>
