<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>ClockSync</name>
    <message>
        <location filename="../config/clocksync.cpp" line="+8"/>
        <source>同步时间</source>
        <translation>同步時間</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>同步时间失败</source>
        <translation>同步時間失敗</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>同步时间成功</source>
        <translation>同步時間成功</translation>
    </message>
</context>
<context>
    <name>ConfigCsv</name>
    <message>
        <location filename="../config/configcsv.cpp" line="+10"/>
        <source>导出配置</source>
        <translation>匯出設定</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+19"/>
        <source>打开文件失败: %1</source>
        <translation>開啟檔案失敗: %1</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>写入文件失败: %1</source>
        <translation>寫入檔案失敗: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出配置成功</source>
        <translation>匯出設定成功</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>导入配置</source>
        <translation>匯入設定</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>文件解析错误</source>
        <translation>檔案解析錯誤</translation>
    </message>
</context>
<context>
    <name>ConfigWriter</name>
    <message>
        <location filename="../config/configwriter.cpp" line="+31"/>
        <location line="+16"/>
        <location line="+18"/>
        <source>写入配置</source>
        <translation>寫入設定</translation>
    </message>
    <message>
        <location line="-34"/>
        <location line="+1"/>
        <source>写入错误,连接设备失败</source>
        <translation>寫入錯誤,連線裝置失敗</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+18"/>
        <source>写入配置失败: %1</source>
        <translation>寫入設定失敗: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+32"/>
        <source>写入配置成功</source>
        <translation>寫入設定成功</translation>
    </message>
    <message>
        <location line="-26"/>
        <source>提交</source>
        <translation>提交</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>数值过长: 编码后 %1 字节, 最多允许 %2 字节</source>
        <translation>數值過長: 編碼後 %1 位元組, 最多允許 %2 位元組</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>数值过长: 最多允许 %1 字节</source>
        <translation>數值過長: 最多允許 %1 位元組</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>硬件返回数据校验错误</source>
        <translation>硬體回傳資料校驗錯誤</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>写入配置失败,该项不支持修改</source>
        <translation>寫入設定失敗,該項不支援修改</translation>
    </message>
</context>
<context>
    <name>DDbServer</name>
    <message>
        <location filename="../firmware/ddbserver.cpp" line="+55"/>
        <source>解析文件失败,文件不存在或拒绝访问!</source>
        <translation>解析檔案失敗,檔案不存在或拒絕存取!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>解析文件失败,打开文件失败,请检查文件类型!</source>
        <translation>解析檔案失敗,開啟檔案失敗,請檢查檔案類型!</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+2"/>
        <source>解析文件失败,文件操作失败!</source>
        <translation>解析檔案失敗,檔案操作失敗!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>解析文件失败,无法获取文件内容!</source>
        <translation>解析檔案失敗,無法取得檔案內容!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>解析文件失败,文件校验失败!</source>
        <translation>解析檔案失敗,檔案校驗失敗!</translation>
    </message>
</context>
<context>
    <name>DeviceTypeMgr</name>
    <message>
        <location filename="../firmware/devicetypemgr.cpp" line="+63"/>
        <source>获取设备列表失败,请重试!</source>
        <translation>取得裝置清單失敗,請重試!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 秒内没有收到任何数据</source>
        <translation>%1 秒內沒有收到任何資料</translation>
    </message>
</context>
<context>
    <name>DownloadThread</name>
    <message>
        <location filename="../firmware/downloadthread.cpp" line="+59"/>
        <source>下载失败,文件名不合法: %1</source>
        <translation>下載失敗,檔名不合法: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+11"/>
        <source>下载失败,打开文件失败: %1</source>
        <translation>下載失敗,開啟檔案失敗: %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <location line="+4"/>
        <location line="+6"/>
        <source>下载异常: %1</source>
        <translation>下載異常: %1</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>%1 秒内没有收到任何数据</source>
        <translation>%1 秒內沒有收到任何資料</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>下载异常: 未找到该文件或下载失败</source>
        <translation>下載異常: 找不到該檔案或下載失敗</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../forms/mainwindow.ui" line="+14"/>
        <source>MainWindow</source>
        <translation>MainWindow</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>操作</source>
        <translation>操作</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>语言</source>
        <translation>語言</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>帮助</source>
        <translation>說明</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>toolBar</source>
        <translation>toolBar</translation>
    </message>
    <message>
        <location line="+29"/>
        <location line="+3"/>
        <source>通讯设置</source>
        <translation>通訊設定</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>刷新</source>
        <translation>重新整理</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <location filename="../app/mainwindow_config.cpp" line="+124"/>
        <source>导入配置</source>
        <translation>匯入設定</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <location filename="../app/mainwindow_config.cpp" line="-10"/>
        <source>导出配置</source>
        <translation>匯出設定</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>写入配置</source>
        <translation>寫入設定</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>同步时间</source>
        <translation>同步時間</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>历史数据</source>
        <translation>歷史資料</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>更新固件</source>
        <translation>更新韌體</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+3"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+3"/>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+3"/>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>设备监听</source>
        <translation>設備監聽</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="+59"/>
        <source>准备就绪</source>
        <translation>準備就緒</translation>
    </message>
    <message>
        <location line="+19"/>
        <location filename="../app/mainwindow_config.cpp" line="-51"/>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <location filename="../app/mainwindow_config.cpp" line="+21"/>
        <location line="+9"/>
        <location line="+4"/>
        <source>正在写入配置......</source>
        <translation>正在寫入設定......</translation>
    </message>
    <message>
        <location line="-33"/>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>正在导出配置......</source>
        <translation>正在匯出設定......</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>正在导入配置......</source>
        <translation>正在匯入設定......</translation>
    </message>
</context>
<context>
    <name>ModifyDialog</name>
    <message>
        <location filename="../forms/modifydialog.ui" line="+26"/>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>提交</source>
        <translation>提交</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>NeutralAboutDialog</name>
    <message>
        <location filename="../forms/neutralaboutdialog.ui" line="+14"/>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>确定</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../prompt/messageboxes.cpp" line="+15"/>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>信息</source>
        <translation>資訊</translation>
    </message>
    <message>
        <location filename="../link/frames.cpp" line="+94"/>
        <source>CRC校验错误</source>
        <translation>CRC校驗錯誤</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../link/linkchannel.cpp" line="+216"/>
        <location line="+32"/>
        <source>发送命令超时</source>
        <translation>傳送命令逾時</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>接收数据超时</source>
        <translation>接收資料逾時</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>未定义的错误</source>
        <translation>未定義的錯誤</translation>
    </message>
    <message>
        <location filename="../link/linkchannel.cpp" line="-195"/>
        <source>串口打开失败</source>
        <translation>序列埠開啟失敗</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>打开串口失败: %1</source>
        <translation>開啟序列埠失敗: %1</translation>
    </message>
    <message>
        <location line="+166"/>
        <location line="+31"/>
        <source>接受数据超时</source>
        <translation>接收資料逾時</translation>
    </message>
    <message>
        <location line="-13"/>
        <location line="+5"/>
        <source>发送命令失败</source>
        <translation>傳送命令失敗</translation>
    </message>
    <message>
        <location filename="../setup/ui/searchdevicedialog.cpp" line="+45"/>
        <location line="+30"/>
        <source>请选择设备</source>
        <translation>請選擇裝置</translation>
    </message>
</context>
<context>
    <name>RefreshThread</name>
    <message>
        <location filename="../config/refreshthread.cpp" line="+21"/>
        <source>刷新</source>
        <translation>重新整理</translation>
    </message>
</context>
<context>
    <name>SearchDeviceDialog</name>
    <message>
        <location filename="../forms/searchdevicedialog.ui" line="+14"/>
        <source>查找设备</source>
        <translation>搜尋裝置</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>搜索</source>
        <translation>搜尋</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <location filename="../forms/setupdialog.ui" line="+14"/>
        <source>串口设置</source>
        <translation>序列埠設定</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Serial通讯</source>
        <translation>Serial通訊</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>串口号：</source>
        <translation>序列埠：</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>波特率：</source>
        <translation>鮑率：</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>数据位：</source>
        <translation>資料位元：</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>奇偶校验：</source>
        <translation>同位檢查：</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>停止位：</source>
        <translation>停止位元：</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>RTS</source>
        <translation>RTS</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>DTR</source>
        <translation>DTR</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Udp通讯</source>
        <translation>Udp通訊</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>地址：</source>
        <translation>位址：</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>端口：</source>
        <translation>連接埠：</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>查找设备</source>
        <translation>搜尋裝置</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>设备地址：</source>
        <translation>裝置位址：</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../setup/ui/setupdialog.cpp" line="+129"/>
        <source>请选择串口!</source>
        <translation>請選擇序列埠!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请选择波特率!</source>
        <translation>請選擇鮑率!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>波特率超出范围!</source>
        <translation>鮑率超出範圍!</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>请输入UDP地址</source>
        <translation>請輸入UDP位址</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请输入UDP端口</source>
        <translation>請輸入UDP連接埠</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>UDP端口不能大于65535</source>
        <translation>UDP連接埠不能大於65535</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <location filename="../forms/updatedialog.ui" line="+14"/>
        <location line="+16"/>
        <location filename="../firmware/ui/updatedialog.cpp" line="+68"/>
        <source>更新固件</source>
        <translation>更新韌體</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>文件：</source>
        <translation>檔案：</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>设备：</source>
        <translation>裝置：</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>型号：</source>
        <translation>型號：</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>版本：</source>
        <translation>版本：</translation>
    </message>
    <message>
        <location line="+26"/>
        <location line="+132"/>
        <source>进度：</source>
        <translation>進度：</translation>
    </message>
    <message>
        <location line="-85"/>
        <source>选择文件</source>
        <translation>選擇檔案</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>烧写</source>
        <translation>燒錄</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+122"/>
        <location filename="../firmware/ui/updatedialog.cpp" line="+113"/>
        <source>下载文件</source>
        <translation>下載檔案</translation>
    </message>
    <message>
        <location line="-110"/>
        <source>列表：</source>
        <translation>清單：</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>路径：</source>
        <translation>路徑：</translation>
    </message>
    <message>
        <location line="+73"/>
        <source>刷新文件列表</source>
        <translation>重新整理檔案清單</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>选择路径</source>
        <translation>選擇路徑</translation>
    </message>
    <message>
        <location filename="../firmware/ui/updatedialog.cpp" line="-85"/>
        <source>请选择文件!</source>
        <translation>請選擇檔案!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>更新失败,文件不存在或拒绝访问!</source>
        <translation>更新失敗,檔案不存在或拒絕存取!</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>固件更新成功!</source>
        <translation>韌體更新成功!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>未设置固件下载页面,请在 config.ini 的 firmware/page 中填写下载页面的完整地址!</source>
        <translation>未設定韌體下載頁面,請在 config.ini 的 firmware/page 中填寫下載頁面的完整網址!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>固件下载页面地址无效: %1</source>
        <translation>韌體下載頁面網址無效: %1</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>请选择设备类型!</source>
        <translation>請選擇裝置類型!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请选择下载路径!</source>
        <translation>請選擇下載路徑!</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>文件下载成功!</source>
        <translation>檔案下載成功!</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>正在更新固件,请等待更新完成!</source>
        <translation>正在更新韌體,請等待更新完成!</translation>
    </message>
</context>
<context>
    <name>UpdateThread</name>
    <message>
        <location filename="../firmware/updatethread.cpp" line="+24"/>
        <source>固件包中没有固件数据,不能烧写!</source>
        <translation>韌體包中沒有韌體資料,無法燒錄!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>固件包中没有设备型号,不能烧写!</source>
        <translation>韌體包中沒有裝置型號,無法燒錄!</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>固件更新失败,</source>
        <translation>韌體更新失敗,</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>固件更新失败,获取设备ID失败!</source>
        <translation>韌體更新失敗,取得裝置ID失敗!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>固件更新失败,BIN文件与设备型号不一致!</source>
        <translation>韌體更新失敗,BIN檔案與裝置型號不一致!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>固件更新失败,擦除设备内存失败!</source>
        <translation>韌體更新失敗,抹除裝置記憶體失敗!</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>固件更新失败,发送文件数据失败!</source>
        <translation>韌體更新失敗,傳送檔案資料失敗!</translation>
    </message>
</context>
</TS>
