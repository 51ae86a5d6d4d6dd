<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CH">
<context>
    <name>ClockSync</name>
    <message>
        <location filename="../config/clocksync.cpp" line="+8"/>
        <source>同步时间</source>
        <translation>同步时间</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>同步时间失败</source>
        <translation>同步时间失败</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>同步时间成功</source>
        <translation>同步时间成功</translation>
    </message>
</context>
<context>
    <name>ConfigCsv</name>
    <message>
        <location filename="../config/configcsv.cpp" line="+10"/>
        <source>导出配置</source>
        <translation>导出配置</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+19"/>
        <source>打开文件失败: %1</source>
        <translation>打开文件失败: %1</translation>
    </message>
    <message>
        <location line="-10"/>
        <source>写入文件失败: %1</source>
        <translation>写入文件失败: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出配置成功</source>
        <translation>导出配置成功</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>导入配置</source>
        <translation>导入配置</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>文件解析错误</source>
        <translation>文件解析错误</translation>
    </message>
</context>
<context>
    <name>ConfigWriter</name>
    <message>
        <location filename="../config/configwriter.cpp" line="+31"/>
        <location line="+16"/>
        <location line="+18"/>
        <source>写入配置</source>
        <translation>写入配置</translation>
    </message>
    <message>
        <location line="-34"/>
        <location line="+1"/>
        <source>写入错误,连接设备失败</source>
        <translation>写入错误,连接设备失败</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+18"/>
        <source>写入配置失败: %1</source>
        <translation>写入配置失败: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+32"/>
        <source>写入配置成功</source>
        <translation>写入配置成功</translation>
    </message>
    <message>
        <location line="-26"/>
        <source>提交</source>
        <translation>提交</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>数值过长: 编码后 %1 字节, 最多允许 %2 字节</source>
        <translation>数值过长: 编码后 %1 字节, 最多允许 %2 字节</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>数值过长: 最多允许 %1 字节</source>
        <translation>数值过长: 最多允许 %1 字节</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>硬件返回数据校验错误</source>
        <translation>硬件返回数据校验错误</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>写入配置失败,该项不支持修改</source>
        <translation>写入配置失败,该项不支持修改</translation>
    </message>
</context>
<context>
    <name>DDbServer</name>
    <message>
        <location filename="../firmware/ddbserver.cpp" line="+55"/>
        <source>解析文件失败,文件不存在或拒绝访问!</source>
        <translation>解析文件失败,文件不存在或拒绝访问!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>解析文件失败,打开文件失败,请检查文件类型!</source>
        <translation>解析文件失败,打开文件失败,请检查文件类型!</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+2"/>
        <source>解析文件失败,文件操作失败!</source>
        <translation>解析文件失败,文件操作失败!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>解析文件失败,无法获取文件内容!</source>
        <translation>解析文件失败,无法获取文件内容!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>解析文件失败,文件校验失败!</source>
        <translation>解析文件失败,文件校验失败!</translation>
    </message>
</context>
<context>
    <name>DeviceTypeMgr</name>
    <message>
        <location filename="../firmware/devicetypemgr.cpp" line="+63"/>
        <source>获取设备列表失败,请重试!</source>
        <translation>获取设备列表失败,请重试!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 秒内没有收到任何数据</source>
        <translation>%1 秒内没有收到任何数据</translation>
    </message>
</context>
<context>
    <name>DownloadThread</name>
    <message>
        <location filename="../firmware/downloadthread.cpp" line="+59"/>
        <source>下载失败,文件名不合法: %1</source>
        <translation>下载失败,文件名不合法: %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+11"/>
        <source>下载失败,打开文件失败: %1</source>
        <translation>下载失败,打开文件失败: %1</translation>
    </message>
    <message>
        <location line="+38"/>
        <location line="+4"/>
        <location line="+6"/>
        <source>下载异常: %1</source>
        <translation>下载异常: %1</translation>
    </message>
    <message>
        <location line="-6"/>
        <source>%1 秒内没有收到任何数据</source>
        <translation>%1 秒内没有收到任何数据</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>下载异常: 未找到该文件或下载失败</source>
        <translation>下载异常: 未找到该文件或下载失败</translation>
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
        <translation>语言</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>帮助</source>
        <translation>帮助</translation>
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
        <translation>通讯设置</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <location filename="../app/mainwindow_config.cpp" line="+124"/>
        <source>导入配置</source>
        <translation>导入配置</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <location filename="../app/mainwindow_config.cpp" line="-10"/>
        <source>导出配置</source>
        <translation>导出配置</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>写入配置</source>
        <translation>写入配置</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>同步时间</source>
        <translation>同步时间</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>历史数据</source>
        <translation>历史数据</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>更新固件</source>
        <translation>更新固件</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+3"/>
        <source>关于</source>
        <translation>关于</translation>
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
        <translation>设备监听</translation>
    </message>
    <message>
        <location filename="../app/mainwindow.cpp" line="+59"/>
        <source>准备就绪</source>
        <translation>准备就绪</translation>
    </message>
    <message>
        <location line="+19"/>
        <location filename="../app/mainwindow_config.cpp" line="-51"/>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../app/mainwindow_config.cpp" line="+21"/>
        <location line="+9"/>
        <location line="+4"/>
        <source>正在写入配置......</source>
        <translation>正在写入配置......</translation>
    </message>
    <message>
        <location line="-33"/>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <location line="+53"/>
        <source>正在导出配置......</source>
        <translation>正在导出配置......</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>正在导入配置......</source>
        <translation>正在导入配置......</translation>
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
        <translation>关于</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>确定</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <location filename="../prompt/messageboxes.cpp" line="+15"/>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>错误</source>
        <translation>错误</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>信息</source>
        <translation>信息</translation>
    </message>
    <message>
        <location filename="../link/frames.cpp" line="+94"/>
        <source>CRC校验错误</source>
        <translation>CRC校验错误</translation>
    </message>
    <message>
        <location line="+2"/>
        <location filename="../link/linkchannel.cpp" line="+216"/>
        <location line="+32"/>
        <source>发送命令超时</source>
        <translation>发送命令超时</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>接收数据超时</source>
        <translation>接收数据超时</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>未定义的错误</source>
        <translation>未定义的错误</translation>
    </message>
    <message>
        <location filename="../link/linkchannel.cpp" line="-195"/>
        <source>串口打开失败</source>
        <translation>串口打开失败</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>打开串口失败: %1</source>
        <translation>打开串口失败: %1</translation>
    </message>
    <message>
        <location line="+166"/>
        <location line="+31"/>
        <source>接受数据超时</source>
        <translation>接受数据超时</translation>
    </message>
    <message>
        <location line="-13"/>
        <location line="+5"/>
        <source>发送命令失败</source>
        <translation>发送命令失败</translation>
    </message>
    <message>
        <location filename="../setup/ui/searchdevicedialog.cpp" line="+45"/>
        <location line="+30"/>
        <source>请选择设备</source>
        <translation>请选择设备</translation>
    </message>
</context>
<context>
    <name>RefreshThread</name>
    <message>
        <location filename="../config/refreshthread.cpp" line="+21"/>
        <source>刷新</source>
        <translation>刷新</translation>
    </message>
</context>
<context>
    <name>SearchDeviceDialog</name>
    <message>
        <location filename="../forms/searchdevicedialog.ui" line="+14"/>
        <source>查找设备</source>
        <translation>查找设备</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>搜索</source>
        <translation>搜索</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>确定</source>
        <translation>确定</translation>
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
        <translation>串口设置</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Serial通讯</source>
        <translation>Serial通讯</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>串口号：</source>
        <translation>串口号：</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>波特率：</source>
        <translation>波特率：</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>数据位：</source>
        <translation>数据位：</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>奇偶校验：</source>
        <translation>奇偶校验：</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>停止位：</source>
        <translation>停止位：</translation>
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
        <translation>Udp通讯</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>地址：</source>
        <translation>地址：</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>端口：</source>
        <translation>端口：</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>查找设备</source>
        <translation>查找设备</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>设备地址：</source>
        <translation>设备地址：</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>确定</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../setup/ui/setupdialog.cpp" line="+129"/>
        <source>请选择串口!</source>
        <translation>请选择串口!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请选择波特率!</source>
        <translation>请选择波特率!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>波特率超出范围!</source>
        <translation>波特率超出范围!</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>请输入UDP地址</source>
        <translation>请输入UDP地址</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请输入UDP端口</source>
        <translation>请输入UDP端口</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>UDP端口不能大于65535</source>
        <translation>UDP端口不能大于65535</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <location filename="../forms/updatedialog.ui" line="+14"/>
        <location line="+16"/>
        <location filename="../firmware/ui/updatedialog.cpp" line="+68"/>
        <source>更新固件</source>
        <translation>更新固件</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>文件：</source>
        <translation>文件：</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>设备：</source>
        <translation>设备：</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>型号：</source>
        <translation>型号：</translation>
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
        <translation>进度：</translation>
    </message>
    <message>
        <location line="-85"/>
        <source>选择文件</source>
        <translation>选择文件</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>烧写</source>
        <translation>烧写</translation>
    </message>
    <message>
        <location line="+17"/>
        <location line="+122"/>
        <location filename="../firmware/ui/updatedialog.cpp" line="+113"/>
        <source>下载文件</source>
        <translation>下载文件</translation>
    </message>
    <message>
        <location line="-110"/>
        <source>列表：</source>
        <translation>列表：</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>路径：</source>
        <translation>路径：</translation>
    </message>
    <message>
        <location line="+73"/>
        <source>刷新文件列表</source>
        <translation>刷新文件列表</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>选择路径</source>
        <translation>选择路径</translation>
    </message>
    <message>
        <location filename="../firmware/ui/updatedialog.cpp" line="-85"/>
        <source>请选择文件!</source>
        <translation>请选择文件!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>更新失败,文件不存在或拒绝访问!</source>
        <translation>更新失败,文件不存在或拒绝访问!</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>固件更新成功!</source>
        <translation>固件更新成功!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>未设置固件下载页面,请在 config.ini 的 firmware/page 中填写下载页面的完整地址!</source>
        <translation>未设置固件下载页面,请在 config.ini 的 firmware/page 中填写下载页面的完整地址!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>固件下载页面地址无效: %1</source>
        <translation>固件下载页面地址无效: %1</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>请选择设备类型!</source>
        <translation>请选择设备类型!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请选择下载路径!</source>
        <translation>请选择下载路径!</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>文件下载成功!</source>
        <translation>文件下载成功!</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>正在更新固件,请等待更新完成!</source>
        <translation>正在更新固件,请等待更新完成!</translation>
    </message>
</context>
<context>
    <name>UpdateThread</name>
    <message>
        <location filename="../firmware/updatethread.cpp" line="+24"/>
        <source>固件包中没有固件数据,不能烧写!</source>
        <translation>固件包中没有固件数据,不能烧写!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>固件包中没有设备型号,不能烧写!</source>
        <translation>固件包中没有设备型号,不能烧写!</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>固件更新失败,</source>
        <translation>固件更新失败,</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>固件更新失败,获取设备ID失败!</source>
        <translation>固件更新失败,获取设备ID失败!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>固件更新失败,BIN文件与设备型号不一致!</source>
        <translation>固件更新失败,BIN文件与设备型号不一致!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>固件更新失败,擦除设备内存失败!</source>
        <translation>固件更新失败,擦除设备内存失败!</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>固件更新失败,发送文件数据失败!</source>
        <translation>固件更新失败,发送文件数据失败!</translation>
    </message>
</context>
</TS>
