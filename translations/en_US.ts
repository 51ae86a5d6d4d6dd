<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ClockSync</name>
    <message>
        <location filename="../config/clocksync.cpp" line="+8"/>
        <source>同步时间</source>
        <translation>Sync Time</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>同步时间失败</source>
        <translation>Clock synchronisation failed</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>同步时间成功</source>
        <translation>Clock synchronised</translation>
    </message>
</context>
<context>
    <name>ConfigCsv</name>
    <message>
        <location filename="../config/configcsv.cpp" line="+10"/>
        <source>导出配置</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+19"/>
        <source>打开文件失败: %1</source>
        <translation>Cannot open file: %1</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>写入文件失败: %1</source>
        <translation>Cannot write file: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出配置成功</source>
        <translation>Configuration exported</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>导入配置</source>
        <translation>Import</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>文件解析错误</source>
        <translation>File format error</translation>
    </message>
</context>
<context>
    <name>ConfigWriter</name>
    <message>
        <location filename="../config/configwriter.cpp" line="+31"/>
        <location line="+16"/>
        <location line="+18"/>
        <source>写入配置</source>
        <translation>Write</translation>
    </message>
    <message>
        <location line="-34"/>
        <location line="+1"/>
        <source>写入错误,连接设备失败</source>
        <translation>Write error: cannot connect to the device</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+18"/>
        <source>写入配置失败: %1</source>
        <translation>Writing the configuration failed: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+32"/>
        <source>写入配置成功</source>
        <translation>Configuration written</translation>
    </message>
    <message>
        <location line="-26"/>
        <source>提交</source>
        <translation>Submit</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>数值过长: 编码后 %1 字节, 最多允许 %2 字节</source>
        <translation>Value too long: %1 bytes encoded, at most %2 allowed</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>数值过长: 最多允许 %1 字节</source>
        <translation>Value too long: at most %1 bytes allowed</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>硬件返回数据校验错误</source>
        <translation>The device&apos;s reply failed the check</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>写入配置失败,该项不支持修改</source>
        <translation>Write failed: this item cannot be changed</translation>
    </message>
</context>
<context>
    <name>DDbServer</name>
    <message>
        <location filename="../firmware/ddbserver.cpp" line="+55"/>
        <source>解析文件失败,文件不存在或拒绝访问!</source>
        <translation>Cannot read the package: the file does not exist or access is denied.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>解析文件失败,打开文件失败,请检查文件类型!</source>
        <translation>Cannot read the package: the file cannot be opened. Check the file type.</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+2"/>
        <source>解析文件失败,文件操作失败!</source>
        <translation>Cannot read the package: the file is not a valid package.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>解析文件失败,无法获取文件内容!</source>
        <translation>Cannot read the package: its contents cannot be read.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>解析文件失败,文件校验失败!</source>
        <translation>Cannot read the package: the checksum does not match.</translation>
    </message>
</context>
<context>
    <name>DeviceTypeMgr</name>
    <message>
        <location filename="../firmware/devicetypemgr.cpp" line="+63"/>
        <source>获取设备列表失败,请重试!</source>
        <translation>Could not get the firmware list. Please try again.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 秒内没有收到任何数据</source>
        <translation>No data received for %1 s</translation>
    </message>
</context>
<context>
    <name>DownloadThread</name>
    <message>
        <location filename="../firmware/downloadthread.cpp" line="+59"/>
        <source>下载失败,文件名不合法: %1</source>
        <translation>Download failed: unsafe file name: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+11"/>
        <source>下载失败,打开文件失败: %1</source>
        <translation>Download failed: cannot open the file: %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <location line="+4"/>
        <location line="+6"/>
        <source>下载异常: %1</source>
        <translation>Download error: %1</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>%1 秒内没有收到任何数据</source>
        <translation>No data received for %1 s</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>下载异常: 未找到该文件或下载失败</source>
        <translation>Download error: file not found or download incomplete</translation>
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
        <translation>Operation</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>语言</source>
        <translation>Language</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>帮助</source>
        <translation>Help</translation>
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
        <translation>Communication</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <location filename="../app/mainwindow_config.cpp" line="+124"/>
        <source>导入配置</source>
        <translation>Import</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <location filename="../app/mainwindow_config.cpp" line="-10"/>
        <source>导出配置</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>写入配置</source>
        <translation>Write</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>同步时间</source>
        <translation>Sync Time</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>历史数据</source>
        <translation>History</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>更新固件</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>关于</source>
        <translation>About</translation>
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
        <translation>Monitor</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="+59"/>
        <source>准备就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <location line="+19"/>
        <location filename="../app/mainwindow_config.cpp" line="-51"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../app/mainwindow_config.cpp" line="+21"/>
        <location line="+9"/>
        <location line="+4"/>
        <source>正在写入配置......</source>
        <translation>Writing configuration...</translation>
    </message>
    <message>
        <location line="-33"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>正在导出配置......</source>
        <translation>Exporting configuration...</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>正在导入配置......</source>
        <translation>Importing configuration...</translation>
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
        <translation>Submit</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>NeutralAboutDialog</name>
    <message>
        <location filename="../forms/neutralaboutdialog.ui" line="+14"/>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../prompt/messageboxes.cpp" line="+15"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <location filename="../link/frames.cpp" line="+94"/>
        <source>CRC校验错误</source>
        <translation>CRC error</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../link/linkchannel.cpp" line="+216"/>
        <location line="+32"/>
        <source>发送命令超时</source>
        <translation>Timed out sending the command</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>接收数据超时</source>
        <translation>Timed out waiting for data</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>未定义的错误</source>
        <translation>Undefined error</translation>
    </message>
    <message>
        <location filename="../link/linkchannel.cpp" line="-195"/>
        <source>串口打开失败</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>打开串口失败: %1</source>
        <translation>Cannot open serial port: %1</translation>
    </message>
    <message>
        <location line="+166"/>
        <location line="+31"/>
        <source>接受数据超时</source>
        <translation>Timed out waiting for data</translation>
    </message>
    <message>
        <location line="-13"/>
        <location line="+5"/>
        <source>发送命令失败</source>
        <translation>Sending the command failed</translation>
    </message>
    <message>
        <location filename="../setup/ui/searchdevicedialog.cpp" line="+45"/>
        <location line="+30"/>
        <source>请选择设备</source>
        <translation>Please select a device</translation>
    </message>
</context>
<context>
    <name>RefreshThread</name>
    <message>
        <location filename="../config/refreshthread.cpp" line="+21"/>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
</context>
<context>
    <name>SearchDeviceDialog</name>
    <message>
        <location filename="../forms/searchdevicedialog.ui" line="+14"/>
        <source>查找设备</source>
        <translation>Find devices</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>搜索</source>
        <translation>Search</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <location filename="../forms/setupdialog.ui" line="+14"/>
        <source>串口设置</source>
        <translation>Serial port settings</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Serial通讯</source>
        <translation>Serial link</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>串口号：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>波特率：</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>数据位：</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>奇偶校验：</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>停止位：</source>
        <translation>Stop bits:</translation>
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
        <translation>UDP link</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>地址：</source>
        <translation>Address:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>端口：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>查找设备</source>
        <translation>Find devices</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>设备地址：</source>
        <translation>Device address:</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../setup/ui/setupdialog.cpp" line="+129"/>
        <source>请选择串口!</source>
        <translation>Please select a serial port!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请选择波特率!</source>
        <translation>Please select a baud rate!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>波特率超出范围!</source>
        <translation>Baud rate out of range!</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>请输入UDP地址</source>
        <translation>Please enter the UDP address</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请输入UDP端口</source>
        <translation>Please enter the UDP port</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>UDP端口不能大于65535</source>
        <translation>The UDP port cannot be greater than 65535</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <location filename="../forms/updatedialog.ui" line="+14"/>
        <location line="+16"/>
        <location filename="../firmware/ui/updatedialog.cpp" line="+68"/>
        <source>更新固件</source>
        <translation>Firmware Update</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>文件：</source>
        <translation>File:</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>设备：</source>
        <translation>Device:</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>型号：</source>
        <translation>Model:</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>版本：</source>
        <translation>Version:</translation>
    </message>
    <message>
        <location line="+26"/>
        <location line="+132"/>
        <source>进度：</source>
        <translation>Progress:</translation>
    </message>
    <message>
        <location line="-85"/>
        <source>选择文件</source>
        <translation>Select File</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>烧写</source>
        <translation>Write</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+122"/>
        <location filename="../firmware/ui/updatedialog.cpp" line="+113"/>
        <source>下载文件</source>
        <translation>Download File</translation>
    </message>
    <message>
        <location line="-110"/>
        <source>列表：</source>
        <translation>List:</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>路径：</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <location line="+73"/>
        <source>刷新文件列表</source>
        <translation>Refresh List</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>选择路径</source>
        <translation>Select Folder</translation>
    </message>
    <message>
        <location filename="../firmware/ui/updatedialog.cpp" line="-85"/>
        <source>请选择文件!</source>
        <translation>Please select a file.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>更新失败,文件不存在或拒绝访问!</source>
        <translation>Update failed: the file does not exist or access is denied.</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>固件更新成功!</source>
        <translation>Firmware updated successfully.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>未设置固件下载页面,请在 config.ini 的 firmware/page 中填写下载页面的完整地址!</source>
        <translation>No firmware download page is set. Enter the full address of the download page as firmware/page in config.ini.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>固件下载页面地址无效: %1</source>
        <translation>Invalid firmware download page address: %1</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>请选择设备类型!</source>
        <translation>Please select a firmware file.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请选择下载路径!</source>
        <translation>Please select a download folder.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>文件下载成功!</source>
        <translation>File downloaded successfully.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>正在更新固件,请等待更新完成!</source>
        <translation>Firmware update in progress. Please wait until it finishes.</translation>
    </message>
</context>
<context>
    <name>UpdateThread</name>
    <message>
        <location filename="../firmware/updatethread.cpp" line="+24"/>
        <source>固件包中没有固件数据,不能烧写!</source>
        <translation>The package holds no firmware image; nothing can be written.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>固件包中没有设备型号,不能烧写!</source>
        <translation>The package names no device model; it cannot be written.</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>固件更新失败,</source>
        <translation>Firmware update failed: </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>固件更新失败,获取设备ID失败!</source>
        <translation>Firmware update failed: could not read the device ID.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>固件更新失败,BIN文件与设备型号不一致!</source>
        <translation>Firmware update failed: the package does not match the device model.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>固件更新失败,擦除设备内存失败!</source>
        <translation>Firmware update failed: could not erase the device memory.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>固件更新失败,发送文件数据失败!</source>
        <translation>Firmware update failed: could not send the file data.</translation>
    </message>
</context>
</TS>
