<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>BusyIndicator</name>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CliHelp</name>
    <message>
        <source>用法: %1</source>
        <translation>Usage: %1</translation>
    </message>
    <message>
        <source>选项:</source>
        <translation>Options:</translation>
    </message>
    <message>
        <source>参数:</source>
        <translation>Arguments:</translation>
    </message>
</context>
<context>
    <name>CliOutput</name>
    <message>
        <source>成功</source>
        <translation>done</translation>
    </message>
    <message>
        <source>失败 (退出码 %1)</source>
        <translation>failed (exit status %1)</translation>
    </message>
</context>
<context>
    <name>CliParser</name>
    <message>
        <source>未知的子命令: %1</source>
        <translation>Unknown subcommand: %1</translation>
    </message>
    <message>
        <source>要执行的子命令</source>
        <translation>The subcommand to run</translation>
    </message>
    <message>
        <source>&lt;子命令&gt;</source>
        <translation>&lt;subcommand&gt;</translation>
    </message>
    <message>
        <source>缺少子命令; 用 --help 查看用法</source>
        <translation>No subcommand given; see --help</translation>
    </message>
    <message>
        <source>无效的超时: %1</source>
        <translation>Invalid timeout: %1</translation>
    </message>
    <message>
        <source>(默认: %1)</source>
        <translation>(default: %1)</translation>
    </message>
    <message>
        <source>[选项]</source>
        <translation>[options]</translation>
    </message>
    <message>
        <source>显示此帮助后退出</source>
        <translation>Show this help and exit</translation>
    </message>
    <message>
        <source>每台仪器输出一行 JSON 对象</source>
        <translation>Print one JSON object per instrument and line</translation>
    </message>
    <message>
        <source>信息的语言: en_US, zh_CH 或 zh_TW (默认取自 config.ini)</source>
        <translation>Language of the messages: en_US, zh_CH or zh_TW (default from config.ini)</translation>
    </message>
    <message>
        <source>语言</source>
        <translation>language</translation>
    </message>
    <message>
        <source>每次等待应答的毫秒数 (默认为仪器自身的时间)</source>
        <translation>Milliseconds to wait for each reply (default: the instrument&apos;s own times)</translation>
    </message>
    <message>
        <source>毫秒</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>经 UDP 连接仪器; read, write, set-clock 和 flash 可重复此选项</source>
        <translation>Reach the instrument over UDP; read, write, set-clock and flash take it more than once</translation>
    </message>
    <message>
        <source>主机:端口</source>
        <translation>host:port</translation>
    </message>
    <message>
        <source>经串口连接仪器</source>
        <translation>Reach the instrument over a serial port</translation>
    </message>
    <message>
        <source>串口</source>
        <translation>port</translation>
    </message>
    <message>
        <source>串口波特率</source>
        <translation>Serial baud rate</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>n</translation>
    </message>
    <message>
        <source>串口数据位: 5 到 8</source>
        <translation>Serial data bits: 5 to 8</translation>
    </message>
    <message>
        <source>串口校验: none, even, odd, space 或 mark</source>
        <translation>Serial parity: none, even, odd, space or mark</translation>
    </message>
    <message>
        <source>校验</source>
        <translation>parity</translation>
    </message>
    <message>
        <source>串口停止位: 1, 1.5 或 2</source>
        <translation>Serial stop bits: 1, 1.5 or 2</translation>
    </message>
    <message>
        <source>发送请求前拉 RTS</source>
        <translation>Pulse RTS before each request</translation>
    </message>
    <message>
        <source>打开串口时置 DTR</source>
        <translation>Set DTR when the port is opened</translation>
    </message>
    <message>
        <source>仪器的设备地址: 1 到 255</source>
        <translation>The instrument&apos;s device address: 1 to 255</translation>
    </message>
    <message>
        <source>把配置按助手的导出格式写入 CSV 文件</source>
        <translation>Write the configuration to a CSV file as the assistant exports it</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>file</translation>
    </message>
    <message>
        <source>要写入的配置 CSV 文件</source>
        <translation>The configuration CSV file to write</translation>
    </message>
    <message>
        <source>文件.csv</source>
        <translation>file.csv</translation>
    </message>
    <message>
        <source>只显示将要写入的项, 不写入</source>
        <translation>Only show the items that would be written; write nothing</translation>
    </message>
    <message>
        <source>先读取配置, 只写入数值不同的项</source>
        <translation>Read the configuration first and write only the items whose value differs</translation>
    </message>
    <message>
        <source>不写入此项 (名称或编号), 可重复使用</source>
        <translation>leave this item out (its name or number); may be repeated</translation>
    </message>
    <message>
        <source>项</source>
        <translation>item</translation>
    </message>
    <message>
        <source>要设置的时间, ISO 格式 (默认为当前时间)</source>
        <translation>The time to set, in ISO format (default: now)</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>time</translation>
    </message>
    <message>
        <source>起始日期 (yyyy-MM-dd)</source>
        <translation>First day (yyyy-MM-dd)</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>date</translation>
    </message>
    <message>
        <source>结束日期 (yyyy-MM-dd)</source>
        <translation>Last day (yyyy-MM-dd)</translation>
    </message>
    <message>
        <source>把记录导出为 CSV 文件</source>
        <translation>Export the records to a CSV file</translation>
    </message>
    <message>
        <source>CSV 的格式: lines (记录原文, 默认) 或 table (表格, 每个字段一列)</source>
        <translation>CSV format: lines (the record lines as received, the default) or table (one column per field)</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>format</translation>
    </message>
    <message>
        <source>把记录导出为 PDF 文件</source>
        <translation>Export the records to a PDF file</translation>
    </message>
    <message>
        <source>要烧写的固件包</source>
        <translation>The firmware package to flash</translation>
    </message>
    <message>
        <source>固件包.zqbin</source>
        <translation>package.zqbin</translation>
    </message>
    <message>
        <source>打开仪器的调试输出, 结束时关闭</source>
        <translation>Switch the instrument&apos;s debug output on, and off again at the end</translation>
    </message>
    <message>
        <source>以十六进制显示</source>
        <translation>Show the lines in hexadecimal</translation>
    </message>
    <message>
        <source>同时以文本和十六进制显示</source>
        <translation>Show the lines as text and in hexadecimal</translation>
    </message>
    <message>
        <source>监视的秒数 (默认直到 Ctrl-C)</source>
        <translation>Seconds to listen (default: until Ctrl-C)</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
    <message>
        <source>搜索探测发往的 UDP 端口</source>
        <translation>UDP port the search probe goes to</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>port</translation>
    </message>
    <message>
        <source>等待应答的毫秒数</source>
        <translation>Milliseconds to wait for answers</translation>
    </message>
    <message>
        <source>探测的目的地址, 可重复 (默认为本机各网络的广播地址)</source>
        <translation>Destination of the probe, may be repeated (default: the broadcast address of each network of this machine)</translation>
    </message>
    <message>
        <source>地址</source>
        <translation>address</translation>
    </message>
    <message>
        <source>无效的设备地址: %1</source>
        <translation>Invalid device address: %1</translation>
    </message>
    <message>
        <source>--udp 与 --serial 不能同时使用</source>
        <translation>--udp and --serial cannot be used together</translation>
    </message>
    <message>
        <source>子命令 %1 只能连接一台仪器</source>
        <translation>The subcommand %1 serves one instrument only</translation>
    </message>
    <message>
        <source>无效的 UDP 地址: %1 (应为 主机:端口)</source>
        <translation>Invalid UDP address: %1 (expected host:port)</translation>
    </message>
    <message>
        <source>无效的波特率: %1</source>
        <translation>Invalid baud rate: %1</translation>
    </message>
    <message>
        <source>无效的数据位: %1</source>
        <translation>Invalid data bits: %1</translation>
    </message>
    <message>
        <source>无效的校验: %1</source>
        <translation>Invalid parity: %1</translation>
    </message>
    <message>
        <source>无效的停止位: %1</source>
        <translation>Invalid stop bits: %1</translation>
    </message>
    <message>
        <source>没有连接: config.ini 中没有设置, 请用 --udp 或 --serial 指定</source>
        <translation>No connection: config.ini sets none; give --udp or --serial</translation>
    </message>
    <message>
        <source>子命令 %1 需要一个文件名</source>
        <translation>The subcommand %1 needs one file name</translation>
    </message>
    <message>
        <source>多余的参数: %1</source>
        <translation>Unexpected arguments: %1</translation>
    </message>
    <message>
        <source>--csv 只能用于一台仪器</source>
        <translation>--csv works with one instrument only</translation>
    </message>
    <message>
        <source>无效的时间: %1 (应为 ISO 格式, 如 2024-05-01T08:30:00)</source>
        <translation>Invalid time: %1 (expected ISO format, e.g. 2024-05-01T08:30:00)</translation>
    </message>
    <message>
        <source>history 需要 --from 和 --to 日期 (yyyy-MM-dd)</source>
        <translation>history needs the dates --from and --to (yyyy-MM-dd)</translation>
    </message>
    <message>
        <source>起始日期晚于结束日期</source>
        <translation>The first day is after the last day</translation>
    </message>
    <message>
        <source>无效的 CSV 格式: %1 (应为 lines 或 table)</source>
        <translation>Invalid CSV format: %1 (use lines or table)</translation>
    </message>
    <message>
        <source>--hex 与 --both 不能同时使用</source>
        <translation>--hex and --both cannot be used together</translation>
    </message>
    <message>
        <source>无效的秒数: %1</source>
        <translation>Invalid number of seconds: %1</translation>
    </message>
    <message>
        <source>无效的端口: %1</source>
        <translation>Invalid port: %1</translation>
    </message>
    <message>
        <source>无效的毫秒数: %1</source>
        <translation>Invalid number of milliseconds: %1</translation>
    </message>
    <message>
        <source>无效的地址: %1</source>
        <translation>Invalid address: %1</translation>
    </message>
    <message>
        <source>固件包的版本比仪器的旧时也烧写 (降级)</source>
        <translation>Flash even a package older than the instrument&apos;s firmware (a downgrade)</translation>
    </message>
    <message>
        <source>ZQ 仪器的配置、时钟、历史记录、固件和监视，在命令行上完成。
子命令: read, write, set-clock, history, flash, monitor, search
连接默认取自当前目录的 config.ini。
退出码: 0 成功, 1 用法错误, 2 通讯失败, 3 仪器拒绝或应答无效, 4 文件错误或拒绝降级, 5 已中断。</source>
        <translation>Configuration, clock, history, firmware and monitoring of ZQ instruments from the command line.
Subcommands: read, write, set-clock, history, flash, monitor, search
The connection comes from config.ini in the working directory unless given.
Exit codes: 0 done, 1 usage error, 2 link failure, 3 instrument refused or reply invalid, 4 file error or downgrade refused, 5 interrupted.</translation>
    </message>
    <message>
        <source>打印每个数值列的统计 (条数, 最小, 最大, 平均) 代替记录</source>
        <translation>print the statistics of each numeric column (count, minimum, maximum, mean) instead of the records</translation>
    </message>
</context>
<context>
    <name>ClockSync</name>
    <message>
        <source>同步时间</source>
        <translation>Sync Time</translation>
    </message>
    <message>
        <source>同步时间已取消</source>
        <translation>Clock synchronisation cancelled</translation>
    </message>
    <message>
        <source>同步时间失败</source>
        <translation>Time sync failed</translation>
    </message>
    <message>
        <source>同步时间成功</source>
        <translation>Time synced</translation>
    </message>
    <message>
        <source>时间 %1 超出仪器的时钟范围 (%2 年至 %3 年), 未发送</source>
        <translation>The time %1 is outside the instrument&apos;s clock range (years %2 to %3); nothing was sent</translation>
    </message>
</context>
<context>
    <name>ComparisonDialog</name>
    <message>
        <source>文件中有 %1 项与设备不同, 勾选的项将作为修改显示, 写入前仍会确认。%2 项不能导入。</source>
        <translation>%1 items of the file differ from the instrument; the checked ones become changes, and writing them is still confirmed. %2 items cannot be imported.</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>采用勾选项</source>
        <translation>Take Checked Items</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>导入前须先读取设备的配置, 以便与文件比较。
请先刷新, 再导入。</source>
        <translation>The instrument&apos;s configuration must be read first, to compare the file with it.
Please refresh, then import.</translation>
    </message>
</context>
<context>
    <name>ComparisonTexts</name>
    <message>
        <source>(未知)</source>
        <translation>(unknown)</translation>
    </message>
    <message>
        <source>此文件来自另一型号的设备 (文件: %1, 已连接的设备: %2)。%3 项的名称与设备不符, 不能导入。</source>
        <translation>This file comes from an instrument of another model (file: %1, connected instrument: %2). %3 items do not match the instrument&apos;s names and cannot be imported.</translation>
    </message>
    <message>
        <source>此文件来自另一台设备 (文件的序列号: %1, 已连接的设备: %2)。</source>
        <translation>This file comes from another instrument (serial number in the file: %1, connected instrument: %2).</translation>
    </message>
    <message>
        <source>设备时钟, 默认不写入</source>
        <translation>Instrument clock, not written unless checked</translation>
    </message>
    <message>
        <source>上次写入时设备未接受</source>
        <translation>Refused by the instrument when last written</translation>
    </message>
    <message>
        <source>相同</source>
        <translation>Same</translation>
    </message>
    <message>
        <source>设备标识, 不写入</source>
        <translation>Names the instrument, never written</translation>
    </message>
    <message>
        <source>操作项, 不执行</source>
        <translation>Action, not carried out</translation>
    </message>
    <message>
        <source>名称不同, 不导入</source>
        <translation>Other name, not imported</translation>
    </message>
    <message>
        <source>设备没有此项, 不导入</source>
        <translation>Not on the instrument, not imported</translation>
    </message>
    <message>
        <source>设备只报告此项, 不写入</source>
        <translation>Only reported by the instrument, never written</translation>
    </message>
</context>
<context>
    <name>ConfigBackup</name>
    <message>
        <source>备份</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>无法创建备份文件夹: %1</source>
        <translation>Cannot create the backup folder: %1</translation>
    </message>
    <message>
        <source>备份失败, 未写入设备: %1</source>
        <translation>The backup failed; nothing was written to the instrument: %1</translation>
    </message>
    <message>
        <source>已备份到 %1</source>
        <translation>Backed up to %1</translation>
    </message>
</context>
<context>
    <name>ConfigCsv</name>
    <message>
        <source>导出配置</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>Cannot open the file: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>Cannot save the file: %1</translation>
    </message>
    <message>
        <source>导出配置成功</source>
        <translation>Configuration exported</translation>
    </message>
    <message>
        <source>导入配置</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>配置项编号必须在 0 到 255 之间</source>
        <translation>the item number must be between 0 and 255</translation>
    </message>
    <message>
        <source>引号必须紧跟在逗号之后并成对出现</source>
        <translation>a quotation mark must follow the comma directly and be closed</translation>
    </message>
    <message>
        <source>文件解析错误: %1 第 %2 行</source>
        <translation>File format error: %1, line %2</translation>
    </message>
    <message>
        <source>配置项 %1 是设备的调试开关, 不能从文件写入</source>
        <translation>item %1 is the instrument&apos;s debug switch and is not written from a file</translation>
    </message>
    <message>
        <source>文件编码无法识别: 既不是 UTF-8 也不是 GB18030 文本</source>
        <translation>Unknown file encoding: neither UTF-8 nor GB18030 text</translation>
    </message>
</context>
<context>
    <name>ConfigFiles</name>
    <message>
        <source>正在导出配置......</source>
        <translation>Exporting the configuration...</translation>
    </message>
    <message>
        <source>正在导入配置......</source>
        <translation>Importing the configuration...</translation>
    </message>
</context>
<context>
    <name>ConfigReads</name>
    <message>
        <source>正在读取 %1/%2 ……</source>
        <translation>Reading %1/%2 …</translation>
    </message>
    <message>
        <source>正在读取 %1 ……</source>
        <translation>Reading %1 …</translation>
    </message>
    <message>
        <source>已读取 %1 项</source>
        <translation>%1 items read</translation>
    </message>
    <message>
        <source>读取中断: 已读 %1 项, 配置树保持读取前的内容</source>
        <translation>Read interrupted after %1 items; the tree keeps what it held before</translation>
    </message>
</context>
<context>
    <name>ConfigTree</name>
    <message>
        <source>已修改, 尚未写入; 设备中为 %1</source>
        <translation>Changed, not yet written; the instrument holds %1</translation>
    </message>
    <message>
        <source>已修改, 尚未写入; 设备中的值未读取</source>
        <translation>Changed, not yet written; the instrument&apos;s value has not been read</translation>
    </message>
    <message>
        <source>设备未接受写入的值, 仍为 %1</source>
        <translation>The instrument did not take the value written; it still holds %1</translation>
    </message>
    <message>
        <source>操作项: 双击后由设备执行</source>
        <translation>Action: a double click has the instrument carry it out</translation>
    </message>
    <message>
        <source>只读: 设备测得的值, 不能写入</source>
        <translation>Read-only: a value the instrument measures; it cannot be written</translation>
    </message>
    <message>
        <source>只读: 由设备出厂设定, 不能写入</source>
        <translation>Read-only: set by the maker; it cannot be written</translation>
    </message>
    <message>
        <source>只读: 设备时钟请用“同步时间”设置</source>
        <translation>Read-only: set the instrument&apos;s clock with Sync Time</translation>
    </message>
    <message>
        <source>按 F5 读取仪器配置</source>
        <translation>Press F5 to read the instrument&apos;s configuration</translation>
    </message>
    <message>
        <source>编辑(&amp;E)...</source>
        <translation>&amp;Edit...</translation>
    </message>
    <message>
        <source>复制值(&amp;V)</source>
        <translation>Copy &amp;Value</translation>
    </message>
    <message>
        <source>复制名称和值(&amp;C)</source>
        <translation>&amp;Copy Name and Value</translation>
    </message>
    <message>
        <source>复制全部(&amp;A)</source>
        <translation>Copy &amp;All</translation>
    </message>
</context>
<context>
    <name>ConfigWorker</name>
    <message>
        <source>测试连接</source>
        <translation>Test Connection</translation>
    </message>
    <message>
        <source>测试连接已取消</source>
        <translation>Connection test cancelled</translation>
    </message>
    <message>
        <source>设备应答了, 但应答无效: %1</source>
        <translation>The instrument answered, but the answer is not valid: %1</translation>
    </message>
    <message>
        <source>设备已应答, 用时 %1 ms</source>
        <translation>The instrument answered in %1 ms</translation>
    </message>
</context>
<context>
    <name>ConfigWriter</name>
    <message>
        <source>写入配置</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>写入错误,连接设备失败</source>
        <translation>Write failed: cannot connect to the instrument</translation>
    </message>
    <message>
        <source>写入已取消, 已写入 %1 项</source>
        <translation>Writing cancelled; %1 items written</translation>
    </message>
    <message>
        <source>写入配置失败: %1</source>
        <translation>Write failed: %1</translation>
    </message>
    <message>
        <source>没有可写入的配置项</source>
        <translation>Nothing to write: no item has a value</translation>
    </message>
    <message>
        <source>写入配置成功</source>
        <translation>Configuration written</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source> 等</source>
        <translation> and more</translation>
    </message>
    <message>
        <source>写入配置完成, %1 项未被设备接受: %2</source>
        <translation>Configuration written; the device did not accept %1 item(s): %2</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>数值含有设备无法表示的字符: %1 (U+%2)</source>
        <translation>The value holds a character the device cannot represent: %1 (U+%2)</translation>
    </message>
    <message>
        <source>数值含有空字符 (U+0000)</source>
        <translation>The value holds a NUL character (U+0000)</translation>
    </message>
    <message>
        <source>数值过长: 编码后 %1 字节, 最多允许 %2 字节</source>
        <translation>Value too long: %1 bytes encoded, at most %2 allowed</translation>
    </message>
    <message>
        <source>数值过长: 最多允许 %1 字节</source>
        <translation>Value too long: at most %1 bytes allowed</translation>
    </message>
    <message>
        <source>硬件返回数据校验错误</source>
        <translation>The instrument&apos;s reply failed the check</translation>
    </message>
    <message>
        <source>写入配置失败,该项不支持修改</source>
        <translation>Write failed: the instrument does not allow this item to be changed</translation>
    </message>
    <message>
        <source>“%1”的名称与数值过长: 设备的应答为 %2 字节, 最多 %3 字节</source>
        <translation>Name and value of “%1” too long: the instrument&apos;s answer would take %2 bytes, at most %3</translation>
    </message>
</context>
<context>
    <name>ConfigWrites</name>
    <message>
        <source>正在写入 %1/%2 ……</source>
        <translation>Writing %1/%2 …</translation>
    </message>
</context>
<context>
    <name>ConnectionBar</name>
    <message>
        <source>尚未通讯</source>
        <translation>not tried yet</translation>
    </message>
    <message>
        <source>%1 有应答</source>
        <translation>answered at %1</translation>
    </message>
    <message>
        <source>%1 无应答</source>
        <translation>no answer at %1</translation>
    </message>
    <message>
        <source>%1 | 设备地址 %2 | %3</source>
        <translation>%1 | device address %2 | %3</translation>
    </message>
    <message>
        <source>等待应答… %1 s</source>
        <translation>waiting for an answer… %1 s</translation>
    </message>
</context>
<context>
    <name>DDbServer</name>
    <message>
        <source>解析文件失败,文件不存在或拒绝访问!</source>
        <translation>Cannot read the package: the file does not exist or access is denied.</translation>
    </message>
    <message>
        <source>解析文件失败,打开文件失败,请检查文件类型!</source>
        <translation>Cannot read the package: the file cannot be opened. Check the file type.</translation>
    </message>
    <message>
        <source>解析文件失败,文件操作失败!</source>
        <translation>Cannot read the package: the file is not a valid package.</translation>
    </message>
    <message>
        <source>解析文件失败,无法获取文件内容!</source>
        <translation>Cannot read the package: its contents cannot be read.</translation>
    </message>
    <message>
        <source>解析文件失败,文件校验失败!</source>
        <translation>Cannot read the package: the checksum does not match.</translation>
    </message>
    <message>
        <source>解析文件失败,文件内容格式错误!</source>
        <translation>Cannot read the package: its contents are not in the expected form.</translation>
    </message>
</context>
<context>
    <name>DeviceTypeMgr</name>
    <message>
        <source>获取设备列表失败,请重试!</source>
        <translation>Could not get the firmware list. Please try again.</translation>
    </message>
    <message>
        <source>下载页面大于 %1 MiB</source>
        <translation>The download page is larger than %1 MiB</translation>
    </message>
</context>
<context>
    <name>DisplayForm</name>
    <message>
        <source>[行过长, 在此截断]</source>
        <translation>[line too long, cut here]</translation>
    </message>
    <message>
        <source>[行不完整]</source>
        <translation>[incomplete line]</translation>
    </message>
</context>
<context>
    <name>DownloadThread</name>
    <message>
        <source>下载失败,链接不是 http 或 https 地址: %1</source>
        <translation>Download failed: the link is not an http or https address: %1</translation>
    </message>
    <message>
        <source>下载失败,https 页面上的链接也必须是 https: %1</source>
        <translation>Download failed: a link on an https page must be https too: %1</translation>
    </message>
    <message>
        <source>下载失败,文件名不合法: %1</source>
        <translation>Download failed: unsafe file name: %1</translation>
    </message>
    <message>
        <source>下载失败,打开文件失败: %1</source>
        <translation>Download failed: cannot open the file: %1</translation>
    </message>
    <message>
        <source>下载异常: 文件大于 %1 MiB</source>
        <translation>Download error: the file is larger than %1 MiB</translation>
    </message>
    <message>
        <source>下载异常: 收到的数据多于声明的 %1 字节</source>
        <translation>Download error: more data arrived than the announced %1 bytes</translation>
    </message>
    <message>
        <source>下载异常: %1</source>
        <translation>Download error: %1</translation>
    </message>
    <message>
        <source>%1 秒内收到的数据不足 1 KiB</source>
        <translation>Less than 1 KiB received in %1 s</translation>
    </message>
    <message>
        <source>下载异常: 未找到该文件或下载失败</source>
        <translation>Download error: file not found or download incomplete</translation>
    </message>
    <message>
        <source>服务器的响应头过大</source>
        <translation>The server sent too large a response header</translation>
    </message>
    <message>
        <source>%1 秒内未能完成</source>
        <translation>Not completed within %1 s</translation>
    </message>
    <message>
        <source>不支持的压缩方式: %1</source>
        <translation>Unsupported compression: %1</translation>
    </message>
    <message>
        <source>服务器的回答无效</source>
        <translation>The server sent an invalid reply</translation>
    </message>
</context>
<context>
    <name>FlashCommand</name>
    <message>
        <source>拒绝降级: 固件包的版本 %1 比仪器的版本 %2 旧; 确要降级请加 --allow-downgrade</source>
        <translation>Downgrade refused: the package&apos;s version %1 is older than the instrument&apos;s version %2; add --allow-downgrade to downgrade anyway</translation>
    </message>
    <message>
        <source>固件更新成功!</source>
        <translation>Firmware updated successfully.</translation>
    </message>
</context>
<context>
    <name>HistoryChart</name>
    <message>
        <source>复位</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>显示全部记录</source>
        <translation>Show all records</translation>
    </message>
    <message>
        <source>导出图像...</source>
        <translation>Export Image...</translation>
    </message>
    <message>
        <source>归一化 (0 最小, 1 最大)</source>
        <translation>Normalised (0 minimum, 1 maximum)</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>Cannot write the file: %1</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>Cannot open the file: %1</translation>
    </message>
    <message>
        <source>PNG 图像 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>SVG 图像 (*.svg)</source>
        <translation>SVG image (*.svg)</translation>
    </message>
    <message>
        <source>导出图像</source>
        <translation>Export Image</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>HistoryCommand</name>
    <message>
        <source>无法导出 PDF: 没有字体</source>
        <translation>Cannot export the PDF: no fonts available</translation>
    </message>
    <message>
        <source>导出历史数据</source>
        <translation>Export History Records</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>Cannot open the file: %1</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。</source>
        <translation>The transfer was cut off: the last record was incomplete and has been dropped. %1 complete records were received.</translation>
    </message>
    <message>
        <source>仪器在发送调试信息, 历史记录可能不完整</source>
        <translation>The instrument is sending debug output; the history records may be incomplete</translation>
    </message>
    <message>
        <source>已达到记录上限 %1 条, 查询已停止。</source>
        <translation>The limit of %1 records was reached; the query stopped.</translation>
    </message>
    <message>
        <source>已导出 %1 条记录到 %2</source>
        <translation>Exported %1 records to %2</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>Cannot write the file: %1</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>传输中丢失了 %1 个数据报, 记录可能不完整。</source>
        <translation>%1 datagrams were lost in the transfer; the records may be incomplete.</translation>
    </message>
</context>
<context>
    <name>HistoryData</name>
    <message>
        <source>历史数据</source>
        <translation>History Records</translation>
    </message>
    <message>
        <source>起始日期:</source>
        <translation>Start date:</translation>
    </message>
    <message>
        <source>结束日期:</source>
        <translation>End date:</translation>
    </message>
    <message>
        <source>查询</source>
        <translation>Query</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>导出PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>仪器的其他输出 (不是记录):</source>
        <translation>Other output of the instrument (not records):</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>正在查询… 已收到 %1 条记录, 用时 %2</source>
        <translation>Querying… %1 records received in %2</translation>
    </message>
    <message>
        <source>已停止: 收到 %1 条记录</source>
        <translation>Stopped: %1 records received</translation>
    </message>
    <message>
        <source>已收到 %1 条记录, 用时 %2</source>
        <translation>%1 records received in %2</translation>
    </message>
    <message>
        <source>传输中断: 最后一条记录不完整, 已舍弃。已收到 %1 条完整记录。</source>
        <translation>The transfer was cut off: the last record was incomplete and has been dropped. %1 complete records were received.</translation>
    </message>
    <message>
        <source>已收到的 %1 条完整记录已保留。</source>
        <translation>The %1 complete records received have been kept.</translation>
    </message>
    <message>
        <source>仪器在发送调试信息, 历史记录可能不完整</source>
        <translation>The instrument is sending debug output; the history records may be incomplete</translation>
    </message>
    <message>
        <source>已达到记录上限 %1 条, 查询已停止。</source>
        <translation>The limit of %1 records was reached; the query stopped.</translation>
    </message>
    <message>
        <source>起始日期应该小于或等于结束日期</source>
        <translation>The start date must be on or before the end date</translation>
    </message>
    <message>
        <source>导出历史数据</source>
        <translation>Export History Records</translation>
    </message>
    <message>
        <source>没有可导出的记录</source>
        <translation>There are no records to export.</translation>
    </message>
    <message>
        <source>正在查询历史记录。停止查询并关闭窗口吗?</source>
        <translation>A history query is running. Stop it and close the window?</translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>范围…</source>
        <translation>Range…</translation>
    </message>
    <message>
        <source>今天</source>
        <translation>Today</translation>
    </message>
    <message>
        <source>最近 7 天</source>
        <translation>Last 7 days</translation>
    </message>
    <message>
        <source>最近 30 天</source>
        <translation>Last 30 days</translation>
    </message>
    <message>
        <source>本月</source>
        <translation>This month</translation>
    </message>
    <message>
        <source>复制摘要</source>
        <translation>Copy Summary</translation>
    </message>
    <message>
        <source>表格</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>原文</source>
        <translation>As Received</translation>
    </message>
    <message>
        <source>表格 CSV (*.csv)</source>
        <translation>Table CSV (*.csv)</translation>
    </message>
    <message>
        <source>记录原文 (*.csv)</source>
        <translation>Record lines (*.csv)</translation>
    </message>
    <message>
        <source>打开文件失败: %1</source>
        <translation>Cannot open the file: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>Cannot write the file: %1</translation>
    </message>
    <message>
        <source>已导出 %1 条记录到 %2</source>
        <translation>Exported %1 records to %2</translation>
    </message>
    <message>
        <source>%1: %2 条, 最小 %3 (%4), 最大 %5 (%6), 平均 %7</source>
        <translation>%1: %2 records, minimum %3 (%4), maximum %5 (%6), mean %7</translation>
    </message>
    <message>
        <source>传输中丢失了 %1 个数据报, 记录可能不完整。</source>
        <translation>%1 datagrams were lost in the transfer; the records may be incomplete.</translation>
    </message>
</context>
<context>
    <name>HistoryExport</name>
    <message>
        <source>打开文件失败: %1</source>
        <translation>Cannot open the file: %1</translation>
    </message>
    <message>
        <source>写入文件失败: %1</source>
        <translation>Cannot write the file: %1</translation>
    </message>
    <message>
        <source>%1 至 %2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>导出于 %1</source>
        <translation>Exported %1</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>History Records</translation>
    </message>
    <message>
        <source>第 %1 页 / 共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>导出数据失败，数据格式错误</source>
        <translation>Export failed: the data format is wrong</translation>
    </message>
    <message>
        <source>导出数据失败，字体太大，一页放不下一行</source>
        <translation>Export failed: the font is too large to fit one row on a page</translation>
    </message>
    <message>
        <source>型号 %1</source>
        <translation>Model %1</translation>
    </message>
    <message>
        <source>序列号 %1</source>
        <translation>Serial number %1</translation>
    </message>
    <message>
        <source>统计</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>列</source>
        <translation>Column</translation>
    </message>
    <message>
        <source>条数</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>最小时刻</source>
        <translation>Minimum at</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>最大时刻</source>
        <translation>Maximum at</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>趋势</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>归一化 (0 最小, 1 最大)</source>
        <translation>Normalised (0 minimum, 1 maximum)</translation>
    </message>
</context>
<context>
    <name>LinkSettings</name>
    <message>
        <source>设置 %1 的值无效: %2</source>
        <translation>Invalid value for setting %1: %2</translation>
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
        <translation>&amp;Communication</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>&amp;Refresh</translation>
    </message>
    <message>
        <source>导入配置</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>导出配置</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>同步时间</source>
        <translation>&amp;Sync Time</translation>
    </message>
    <message>
        <source>历史数据</source>
        <translation>&amp;History</translation>
    </message>
    <message>
        <source>更新固件</source>
        <translation>&amp;Firmware</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>&amp;About</translation>
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
        <translation>&amp;Monitor</translation>
    </message>
    <message>
        <source>写入修改</source>
        <translation>Write Chan&amp;ges</translation>
    </message>
    <message>
        <source>恢复备份...</source>
        <translation>Restore &amp;Backup...</translation>
    </message>
    <message>
        <source>测试连接</source>
        <translation>&amp;Test Connection</translation>
    </message>
    <message>
        <source>准备就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>无法保存设置: %1 不可写入</source>
        <translation>Cannot save the settings: %1 is not writable</translation>
    </message>
    <message>
        <source>另一项配置操作尚未结束, 请稍候</source>
        <translation>Another configuration operation is still running; please wait</translation>
    </message>
    <message>
        <source>%1 项修改未写入</source>
        <translation>%1 changes not written</translation>
    </message>
    <message>
        <source>有 %1 项修改尚未写入设备, 刷新会以设备中的值替换它们。
仍要刷新吗?</source>
        <translation>%1 changes have not been written to the instrument; a refresh replaces them with the instrument&apos;s values.
Refresh anyway?</translation>
    </message>
    <message>
        <source>正在读取 ……</source>
        <translation>Reading …</translation>
    </message>
    <message>
        <source>正在写入配置。关闭窗口会中断写入, 尚未写入的项不会写入。
仍要关闭吗?</source>
        <translation>The configuration is being written. Closing the window interrupts the write; items not yet written stay unwritten.
Close anyway?</translation>
    </message>
    <message>
        <source>正在写入配置......</source>
        <translation>Writing the configuration...</translation>
    </message>
    <message>
        <source>设备将执行“%1”。
确定要继续吗?</source>
        <translation>The instrument will carry out “%1”.
Do you want to go on?</translation>
    </message>
    <message>
        <source>“%1”不是数值。此项的值是一个数 (当前为 %2), 请输入数字。</source>
        <translation>“%1” is not a number. This item&apos;s value is a number (now %2); please enter digits.</translation>
    </message>
    <message>
        <source>“%1”不是此项的可选值。</source>
        <translation>“%1” is not one of this item&apos;s options.</translation>
    </message>
    <message>
        <source>正在写入 %1 ……</source>
        <translation>Writing %1 …</translation>
    </message>
    <message>
        <source>正在写入 ……</source>
        <translation>Writing …</translation>
    </message>
    <message>
        <source>(未读取)</source>
        <translation>(not read)</translation>
    </message>
    <message>
        <source>%1: %2 → %3</source>
        <translation>%1: %2 → %3</translation>
    </message>
    <message>
        <source>没有需要写入的修改</source>
        <translation>No changes to write</translation>
    </message>
    <message>
        <source>将以下 %1 项写入设备:</source>
        <translation>Write these %1 items to the instrument:</translation>
    </message>
    <message>
        <source>…… 其余 %1 项见详细信息</source>
        <translation>… the other %1 are in the details</translation>
    </message>
    <message>
        <source>正在同步时间 ……</source>
        <translation>Synchronising the clock …</translation>
    </message>
    <message>
        <source>正在测试连接 ……</source>
        <translation>Testing the connection …</translation>
    </message>
    <message>
        <source>请检查通讯设置中的地址、端口、串口线和设备地址。</source>
        <translation>Check the address, port, cable and device address in the communication settings.</translation>
    </message>
    <message>
        <source>操作(&amp;O)</source>
        <translation>&amp;Operations</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>恢复备份(&amp;B)...</source>
        <translation>Restore &amp;Backup...</translation>
    </message>
    <message>
        <source>测试连接(&amp;T)</source>
        <translation>&amp;Test Connection</translation>
    </message>
    <message>
        <source>使用手册(&amp;M)</source>
        <translation>Operator’s &amp;Manual</translation>
    </message>
    <message>
        <source>使用手册</source>
        <translation>Operator’s Manual</translation>
    </message>
    <message>
        <source>请检查串口是否存在 (适配器已插好)、是否被其他程序占用, 以及通讯设置中的串口名。</source>
        <translation>Check that the serial port exists (the adapter is plugged in), that no other program holds it, and the port name in the communication settings.</translation>
    </message>
    <message>
        <source>在 Linux 上, 串口属于 dialout 组: 执行 sudo usermod -aG dialout &quot;$USER&quot; 后重新登录, 再用 ls -l 与 id 核对权限。</source>
        <translation>On Linux, serial ports belong to the group dialout: run sudo usermod -aG dialout &quot;$USER&quot;, log in again, and check the permissions with ls -l and id.</translation>
    </message>
    <message>
        <source>来自 %1 的读取</source>
        <translation>Read from %1</translation>
    </message>
    <message>
        <source>设备时钟已设为 %1</source>
        <translation>The instrument’s clock is set to %1</translation>
    </message>
    <message>
        <source>通讯设置(&amp;C)</source>
        <translation>&amp;Communication</translation>
    </message>
    <message>
        <source>刷新(&amp;R)</source>
        <translation>&amp;Refresh</translation>
    </message>
    <message>
        <source>导入配置(&amp;I)</source>
        <translation>&amp;Import</translation>
    </message>
    <message>
        <source>导出配置(&amp;E)</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>同步时间(&amp;S)</source>
        <translation>&amp;Sync Time</translation>
    </message>
    <message>
        <source>历史数据(&amp;H)</source>
        <translation>&amp;History</translation>
    </message>
    <message>
        <source>更新固件(&amp;F)</source>
        <translation>&amp;Firmware</translation>
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
        <translation>&amp;Monitor</translation>
    </message>
    <message>
        <source>写入修改(&amp;G)</source>
        <translation>Write Chan&amp;ges</translation>
    </message>
    <message>
        <source>请检查设备是否已上电并接入网络、与本机是否在同一网段, 以及防火墙是否放行 UDP 端口 %1 的广播和应答。</source>
        <translation>Check that the instrument is switched on and connected, that it is on the same network segment as this computer, and that the firewall lets UDP broadcasts to port %1 and their answers through.</translation>
    </message>
    <message>
        <source>查找设备</source>
        <translation>Find Instruments</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>No instrument found</translation>
    </message>
    <message>
        <source>写入全部配置(&amp;W)...</source>
        <translation>&amp;Write All...</translation>
    </message>
    <message>
        <source>写入全部配置</source>
        <translation>Write All</translation>
    </message>
</context>
<context>
    <name>ManualWindow</name>
    <message>
        <source>使用手册</source>
        <translation>Manual</translation>
    </message>
</context>
<context>
    <name>ModifyDialog</name>
    <message>
        <source>Dialog</source>
        <translation>Edit Item</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>MonitorDialog</name>
    <message>
        <source>设备监听</source>
        <translation>Device Monitor</translation>
    </message>
    <message>
        <source>原始数据</source>
        <translation>Raw text</translation>
    </message>
    <message>
        <source>十六进制</source>
        <translation>Hex</translation>
    </message>
    <message>
        <source>原始数据 + 十六进制</source>
        <translation>Raw text + hex</translation>
    </message>
    <message>
        <source>时间戳</source>
        <translation>Time stamps</translation>
    </message>
    <message>
        <source>原始数据也带上接收时间和字节数</source>
        <translation>Show the time received and the byte count in the text form too</translation>
    </message>
    <message>
        <source>调试信息</source>
        <translation>Debug output</translation>
    </message>
    <message>
        <source>开始监听</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>停止监听</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>清除</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>查找 (Ctrl+F)</source>
        <translation>Find (Ctrl+F)</translation>
    </message>
    <message>
        <source>上一个</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>下一个</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>筛选: 只显示含有此文字的行</source>
        <translation>Filter: show only lines containing this text</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>跟随</source>
        <translation>Follow</translation>
    </message>
    <message>
        <source>记录到文件…</source>
        <translation>Log to file…</translation>
    </message>
    <message>
        <source>记录到文件</source>
        <translation>Log to file</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>无法写入文件 %1: %2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>停止记录</source>
        <translation>Stop logging</translation>
    </message>
    <message>
        <source>记录到: %1</source>
        <translation>Logging to: %1</translation>
    </message>
    <message>
        <source>文本文件 (*.txt *.log)</source>
        <translation>Text files (*.txt *.log)</translation>
    </message>
    <message>
        <source>监听中…  %1 行, %2 行/秒</source>
        <translation>Listening…  %1 lines, %2 lines/s</translation>
    </message>
    <message>
        <source>已停止  %1 行</source>
        <translation>Stopped  %1 lines</translation>
    </message>
    <message>
        <source>,  丢失 %1 个数据报</source>
        <translation>,  %1 datagrams lost</translation>
    </message>
    <message>
        <source>保存显示内容…</source>
        <translation>Save shown lines…</translation>
    </message>
    <message>
        <source>把视图中显示的行按当前显示方式保存到文件</source>
        <translation>Save the lines the view shows to a file, in the form shown</translation>
    </message>
    <message>
        <source>保存显示内容</source>
        <translation>Save shown lines</translation>
    </message>
</context>
<context>
    <name>MonitorThread</name>
    <message>
        <source>设备监听</source>
        <translation>Device Monitor</translation>
    </message>
    <message>
        <source>监听调试</source>
        <translation>Monitor debug switch</translation>
    </message>
</context>
<context>
    <name>NeutralAboutDialog</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>版本 %1, 构建于 %2, Qt %3</source>
        <translation>Version %1, built on %2, Qt %3</translation>
    </message>
    <message>
        <source>许可: 专有软件, 仅供配置 ZQ 系列仪器使用; Qt 按 LGPL 第 3 版使用。</source>
        <translation>Licence: proprietary, for configuring instruments of the ZQ series; Qt is used under the LGPL version 3.</translation>
    </message>
    <message>
        <source>设置文件 config.ini:</source>
        <translation>Settings file config.ini:</translation>
    </message>
    <message>
        <source>配置备份:</source>
        <translation>Configuration backups:</translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation>Open Folder</translation>
    </message>
</context>
<context>
    <name>OperationsLog</name>
    <message>
        <source>操作记录</source>
        <translation>Operations Log</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>连接</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Outcome</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>What to check</translation>
    </message>
    <message>
        <source>操作记录(&amp;L)</source>
        <translation>Operations &amp;Log</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>CRC校验错误</source>
        <translation>CRC check failed</translation>
    </message>
    <message>
        <source>发送命令超时</source>
        <translation>Timed out sending the command</translation>
    </message>
    <message>
        <source>接收数据超时</source>
        <translation>Timed out waiting for the reply</translation>
    </message>
    <message>
        <source>未定义的错误</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>串口打开失败</source>
        <translation>Cannot open the serial port</translation>
    </message>
    <message>
        <source>打开串口失败: %1</source>
        <translation>Cannot open the serial port: %1</translation>
    </message>
    <message>
        <source>接受数据超时</source>
        <translation>Timed out waiting for the reply</translation>
    </message>
    <message>
        <source>发送命令失败</source>
        <translation>Sending the command failed</translation>
    </message>
    <message>
        <source>请选择设备</source>
        <translation>Please select an instrument</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RecordTableModel</name>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>第 %1 列</source>
        <translation>Column %1</translation>
    </message>
</context>
<context>
    <name>RefreshThread</name>
    <message>
        <source>... (共 %1 字节)</source>
        <translation>... (%1 bytes in all)</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>数据长度校验错误 : 
%1</source>
        <translation>Wrong reply length:
%1</translation>
    </message>
    <message>
        <source>地址或命令校验错误: 
%1</source>
        <translation>Wrong address or command in the reply:
%1</translation>
    </message>
</context>
<context>
    <name>SearchCommand</name>
    <message>
        <source>没有仪器应答</source>
        <translation>No instrument answered</translation>
    </message>
</context>
<context>
    <name>SearchDeviceDialog</name>
    <message>
        <source>查找设备</source>
        <translation>Find Instruments</translation>
    </message>
    <message>
        <source>重新搜索</source>
        <translation>Search Again</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1    地址 %2    端口 %3</source>
        <translation>%1    address %2    port %3</translation>
    </message>
    <message>
        <source>正在查找设备...</source>
        <translation>Searching for instruments...</translation>
    </message>
    <message>
        <source>未找到设备</source>
        <translation>No instrument found</translation>
    </message>
    <message>
        <source>找到 %1 台设备</source>
        <translation>Instruments found: %1</translation>
    </message>
</context>
<context>
    <name>SetupDialog</name>
    <message>
        <source>串口设置</source>
        <translation>Communication Settings</translation>
    </message>
    <message>
        <source>Serial通讯</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>串口号：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>波特率：</source>
        <translation>Baud rate:</translation>
    </message>
    <message>
        <source>数据位：</source>
        <translation>Data bits:</translation>
    </message>
    <message>
        <source>奇偶校验：</source>
        <translation>Parity:</translation>
    </message>
    <message>
        <source>停止位：</source>
        <translation>Stop bits:</translation>
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
        <translation>UDP</translation>
    </message>
    <message>
        <source>地址：</source>
        <translation>Address:</translation>
    </message>
    <message>
        <source>端口：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>查找设备</source>
        <translation>Find Instruments</translation>
    </message>
    <message>
        <source>设备地址：</source>
        <translation>Instrument address:</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>请选择串口!</source>
        <translation>Please select a serial port.</translation>
    </message>
    <message>
        <source>请选择波特率!</source>
        <translation>Please select a baud rate.</translation>
    </message>
    <message>
        <source>波特率超出范围!</source>
        <translation>Baud rate out of range.</translation>
    </message>
    <message>
        <source>请输入UDP地址</source>
        <translation>Please enter the UDP address.</translation>
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
        <translation>Invalid UDP address; please enter an IPv4 or IPv6 address</translation>
    </message>
    <message>
        <source>请输入UDP端口</source>
        <translation>Please enter the UDP port.</translation>
    </message>
    <message>
        <source>UDP端口必须是 1 到 65535 之间的数字</source>
        <translation>The UDP port must be a number from 1 to 65535</translation>
    </message>
    <message>
        <source>UDP端口不能大于65535</source>
        <translation>The UDP port cannot be above 65535.</translation>
    </message>
</context>
<context>
    <name>UpdateConfirmation</name>
    <message>
        <source>更新固件</source>
        <translation>Firmware Update</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>仪器: 型号 %1, 固件版本 %2</source>
        <translation>Instrument: model %1, firmware version %2</translation>
    </message>
    <message>
        <source>固件包: 设备 %1, 型号 %2, 版本 %3</source>
        <translation>Package: instrument %1, model %2, version %3</translation>
    </message>
    <message>
        <source>固件大小 %1 字节, 文件日期 %2</source>
        <translation>Firmware size %1 bytes, file date %2</translation>
    </message>
    <message>
        <source>烧写期间请不要断开仪器。要开始烧写吗?</source>
        <translation>Do not disconnect the instrument while it is being flashed. Start flashing?</translation>
    </message>
    <message>
        <source>烧写</source>
        <translation>Flash</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>更新固件</source>
        <translation>Firmware Update</translation>
    </message>
    <message>
        <source>文件：</source>
        <translation>File:</translation>
    </message>
    <message>
        <source>设备：</source>
        <translation>Instrument:</translation>
    </message>
    <message>
        <source>型号：</source>
        <translation>Model:</translation>
    </message>
    <message>
        <source>仪器型号：</source>
        <translation>Instrument model:</translation>
    </message>
    <message>
        <source>版本：</source>
        <translation>Version:</translation>
    </message>
    <message>
        <source>进度：</source>
        <translation>Progress:</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>Select File</translation>
    </message>
    <message>
        <source>烧写</source>
        <translation>Flash</translation>
    </message>
    <message>
        <source>下载文件</source>
        <translation>Download File</translation>
    </message>
    <message>
        <source>页面：</source>
        <translation>Page:</translation>
    </message>
    <message>
        <source>列表：</source>
        <translation>List:</translation>
    </message>
    <message>
        <source>路径：</source>
        <translation>Folder:</translation>
    </message>
    <message>
        <source>刷新文件列表</source>
        <translation>Reload List</translation>
    </message>
    <message>
        <source>选择路径</source>
        <translation>Select Folder</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>请选择文件!</source>
        <translation>Please select a file.</translation>
    </message>
    <message>
        <source>更新失败,文件不存在或拒绝访问!</source>
        <translation>Update failed: the file does not exist or access is denied.</translation>
    </message>
    <message>
        <source>固件更新成功!</source>
        <translation>Firmware updated successfully.</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>上一次更新正在结束, 请稍候</source>
        <translation>The previous update is still ending; please wait</translation>
    </message>
    <message>
        <source>等待上一次更新结束</source>
        <translation>Waiting for the previous update to end</translation>
    </message>
    <message>
        <source>请在“页面”中填写固件下载页面的完整地址!</source>
        <translation>Please enter the full address of the firmware download page under “Page”.</translation>
    </message>
    <message>
        <source>固件下载页面地址无效: %1</source>
        <translation>Invalid firmware download page address: %1</translation>
    </message>
    <message>
        <source>请选择设备类型!</source>
        <translation>Please select a firmware file.</translation>
    </message>
    <message>
        <source>请选择下载路径!</source>
        <translation>Please select a download folder.</translation>
    </message>
    <message>
        <source>文件 %1 已存在,要替换它吗?</source>
        <translation>The file %1 already exists. Replace it?</translation>
    </message>
    <message>
        <source>文件下载成功!</source>
        <translation>File downloaded successfully.</translation>
    </message>
    <message>
        <source>已保存到: %1</source>
        <translation>Saved to: %1</translation>
    </message>
    <message>
        <source>选择此文件更新</source>
        <translation>Flash This File</translation>
    </message>
    <message>
        <source>正在更新固件,请等待更新完成!</source>
        <translation>Firmware update in progress. Please wait until it finishes.</translation>
    </message>
    <message>
        <source>失败: 无法打开连接</source>
        <translation>failed: the link could not be opened</translation>
    </message>
    <message>
        <source>失败: 仪器没有应答识别请求</source>
        <translation>failed: the instrument did not answer the identify request</translation>
    </message>
    <message>
        <source>已拒绝: 型号不符</source>
        <translation>refused: the model does not match</translation>
    </message>
    <message>
        <source>已取消, 没有写入任何数据</source>
        <translation>cancelled, nothing was written</translation>
    </message>
    <message>
        <source>失败: 擦除未被确认</source>
        <translation>failed: the erase was not acknowledged</translation>
    </message>
    <message>
        <source>失败: 第 %1 / %2 页未被确认</source>
        <translation>failed: page %1 / %2 was not acknowledged</translation>
    </message>
    <message>
        <source>第 %1/4 步: %2</source>
        <translation>Step %1/4: %2</translation>
    </message>
    <message>
        <source>仪器没有被擦除, 仍在运行原来的固件。请检查连接和通信设置, 然后再次烧写。</source>
        <translation>Nothing was erased: the instrument still runs its old firmware. Check the connection and the communication settings, then flash again.</translation>
    </message>
    <message>
        <source>仪器没有被擦除, 仍在运行原来的固件。请选择与仪器型号相符的固件包。</source>
        <translation>Nothing was erased: the instrument still runs its old firmware. Choose a package for the instrument&apos;s model.</translation>
    </message>
    <message>
        <source>仪器没有被擦除, 仍在运行原来的固件。</source>
        <translation>Nothing was erased: the instrument still runs its old firmware.</translation>
    </message>
    <message>
        <source>擦除请求已发出但未被确认: 仪器原来的固件可能已被擦除, 它会在引导程序中等待新的固件。请用同一个固件包再次烧写; 仪器保留其引导程序。</source>
        <translation>The erase request went out but was not acknowledged: the old firmware may be erased, and the instrument then waits in its loader for new firmware. Flash again with the same package; the instrument keeps its loader.</translation>
    </message>
    <message>
        <source>仪器原来的固件已被擦除, 新固件只写入了 %1 / %2 页: 仪器正在引导程序中等待完整的固件。请不要断开仪器, 用同一个固件包再次烧写; 仪器保留其引导程序。</source>
        <translation>The old firmware has been erased and only %1 / %2 pages of the new one were written: the instrument waits in its loader for complete firmware. Keep it connected and flash again with the same package; the instrument keeps its loader.</translation>
    </message>
    <message>
        <source>仪器在 %1 秒内没有应答, 未能读取新的固件版本; 请稍后读取配置。</source>
        <translation>The instrument did not answer within %1 s, so its new firmware version could not be read; read the configuration later.</translation>
    </message>
    <message>
        <source>仪器的配置中没有固件版本。</source>
        <translation>The instrument reported no firmware version in its configuration.</translation>
    </message>
    <message>
        <source>固件已更新: 仪器现在的版本是 %1</source>
        <translation>Firmware updated: the instrument now reports version %1</translation>
    </message>
    <message>
        <source>固件已更新: %1 → %2</source>
        <translation>Firmware updated: %1 → %2</translation>
    </message>
    <message>
        <source>仪器的固件版本未知 (请先读取配置), 无法与固件包的版本 %1 比较。</source>
        <translation>The instrument&apos;s firmware version is unknown (read the configuration first); it cannot be compared with the package&apos;s version %1.</translation>
    </message>
    <message>
        <source>升级: 固件包的版本 %1 比仪器的版本 %2 新。</source>
        <translation>Upgrade: the package&apos;s version %1 is newer than the instrument&apos;s version %2.</translation>
    </message>
    <message>
        <source>固件包的版本 %1 与仪器的版本 %2 相同。</source>
        <translation>The package&apos;s version %1 is the same as the instrument&apos;s version %2.</translation>
    </message>
    <message>
        <source>降级: 固件包的版本 %1 比仪器的版本 %2 旧。</source>
        <translation>Downgrade: the package&apos;s version %1 is older than the instrument&apos;s version %2.</translation>
    </message>
    <message>
        <source>固件包的版本 %1 与仪器的版本 %2 无法比较。</source>
        <translation>The package&apos;s version %1 cannot be compared with the instrument&apos;s version %2.</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>%1 (最新)</source>
        <translation>%1 (newest)</translation>
    </message>
</context>
<context>
    <name>UpdateThread</name>
    <message>
        <source>固件包中没有固件数据,不能烧写!</source>
        <translation>The package holds no firmware image; nothing can be flashed.</translation>
    </message>
    <message>
        <source>固件包中没有设备型号,不能烧写!</source>
        <translation>The package names no instrument model; it cannot be flashed.</translation>
    </message>
    <message>
        <source>第 1/4 步: 识别仪器</source>
        <translation>Step 1/4: identifying the instrument</translation>
    </message>
    <message>
        <source>第 2/4 步: 擦除仪器内存</source>
        <translation>Step 2/4: erasing the instrument&apos;s memory</translation>
    </message>
    <message>
        <source>第 3/4 步: 写入第 %1 / %2 页</source>
        <translation>Step 3/4: writing page %1 / %2</translation>
    </message>
    <message>
        <source>第 4/4 步: 结束更新, 等待仪器重启 (最多 %1 秒)</source>
        <translation>Step 4/4: finishing, waiting for the instrument to restart (at most %1 s)</translation>
    </message>
    <message>
        <source>固件更新失败,</source>
        <translation>Firmware update failed: </translation>
    </message>
    <message>
        <source>固件更新失败,获取设备ID失败!</source>
        <translation>Firmware update failed: could not read the instrument ID.</translation>
    </message>
    <message>
        <source>固件更新失败,BIN文件与设备型号不一致!</source>
        <translation>Firmware update failed: the package does not match the instrument model.</translation>
    </message>
    <message>
        <source>固件包的型号: %1, 仪器的型号: %2</source>
        <translation>Model of the package: %1, model of the instrument: %2</translation>
    </message>
    <message>
        <source>固件更新失败,擦除设备内存失败!</source>
        <translation>Firmware update failed: could not erase the instrument&apos;s memory.</translation>
    </message>
    <message>
        <source>固件更新失败,发送文件数据失败!</source>
        <translation>Firmware update failed: could not send the file data.</translation>
    </message>
</context>
<context>
    <name>WriteCommand</name>
    <message>
        <source>(无)</source>
        <translation>(none)</translation>
    </message>
    <message>
        <source>没有需要写入的项</source>
        <translation>Nothing to write</translation>
    </message>
    <message>
        <source>仪器拒绝了 %1 项: %2</source>
        <translation>The instrument refused %1 item(s): %2</translation>
    </message>
    <message>
        <source>未写入: %1</source>
        <translation>Not written: %1</translation>
    </message>
    <message>
        <source>写入已中断: 已写入 %1 项, 未写入 %2 项</source>
        <translation>Write interrupted: %1 items written, %2 not written</translation>
    </message>
</context>
</TS>
