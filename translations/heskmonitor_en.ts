<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AddDevice</name>
    <message>
        <location filename="../src/core/online/AddDevice.cpp" line="+27"/>
        <source>没有找到设备，请您重新选择！</source>
        <translation>No device was found. Please choose again.</translation>
    </message>
</context>
<context>
    <name>AllowedValues</name>
    <message>
        <location filename="../src/core/editing/AllowedValues.cpp" line="+177"/>
        <source>参数值不在范围内！
范围：0.0~0.7、1.0~1.3、2.0~2.3、3.0~3.3、4.0~4.3、5.0~5.3</source>
        <translation>The parameter value is out of range!
Range: 0.0-0.7, 1.0-1.3, 2.0-2.3, 3.0-3.3, 4.0-4.3, 5.0-5.3</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>数据不在范围内！</source>
        <translation>The value is out of range!</translation>
    </message>
</context>
<context>
    <name>ApplicationWindows</name>
    <message>
        <location filename="../src/app/ApplicationWindows.cpp" line="+182"/>
        <source>设置站号</source>
        <translation>Set station number</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>从站数：%1
请输入站号（0为主站）：</source>
        <translation>Number of slave stations: %1
Enter the station number (0 for the master):</translation>
    </message>
</context>
<context>
    <name>ApproximateComparisonSetting</name>
    <message>
        <location filename="../src/core/shell/ApproximateComparisonSetting.cpp" line="+9"/>
        <source>设置此项后，功能会做以下调整：
    在文件比较与参数列表刷新时，比较值会
根据参数类型作精度的近似值判断。

例如：
    G3类型的参数精度为1/8，进行比较时若
其差值小于1/8，则两值认定相等。</source>
        <translation>With this setting on, the program works as follows:
    When files are compared and parameter lists are refreshed,
values are compared approximately, to the precision of the parameter type.

For example:
    A G3 parameter has a precision of 1/8; two values whose
difference is less than 1/8 count as equal.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>文件保存失败！</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>AxisRangeInput</name>
    <message>
        <location filename="../src/core/recording/AxisRangeInput.cpp" line="+29"/>
        <source>X轴最小值格式不符！</source>
        <translation>The X axis minimum is not a valid number!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>X轴最大值格式不符！</source>
        <translation>The X axis maximum is not a valid number!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Y轴最小值格式不符！</source>
        <translation>The Y axis minimum is not a valid number!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Y轴最大值格式不符！</source>
        <translation>The Y axis maximum is not a valid number!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>X轴最大值必须大于最小值！</source>
        <translation>The X axis maximum must be greater than the minimum!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Y轴最大值必须大于最小值！</source>
        <translation>The Y axis maximum must be greater than the minimum!</translation>
    </message>
</context>
<context>
    <name>BicoCsvExport</name>
    <message>
        <location filename="../src/core/files/BicoCsvExport.cpp" line="+29"/>
        <source>导出BICO连线</source>
        <translation>Export BICO Connections</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出失败，请您重新尝试！</source>
        <translation>The export failed. Please try again.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>文件导出成功！</source>
        <translation>The file was exported successfully.</translation>
    </message>
</context>
<context>
    <name>BoardCheck</name>
    <message>
        <location filename="../src/core/online/BoardCheck.cpp" line="+37"/>
        <source>当前设备为QB27控制板，请安装V2.01.12 20171221版HESKMonitor软件，
并打开VRA1_QB27_V1.02.00版本的HESKMonitor工程，
之后再进行设备连接等其它操作！</source>
        <translation>This device has a QB27 control board. Please install HESKMonitor V2.01.12 20171221,
open the HESKMonitor project VRA1_QB27_V1.02.00,
and then connect to the device.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>当前设备为QB27控制板，请安装V2.01.12 20171221版HESKMonitor软件，
并打开VRA1_QB27_V2.00.00版本的HESKMonitor工程，
之后再进行设备连接等其它操作！</source>
        <translation>This device has a QB27 control board. Please install HESKMonitor V2.01.12 20171221,
open the HESKMonitor project VRA1_QB27_V2.00.00,
and then connect to the device.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>当前设备为QB27控制板，设备版本号为%1，
请联系售后维护人员，打开对应版本的HESKMonitor工程，
之后再进行设备连接等其它操作！</source>
        <translation>This device has a QB27 control board, device version %1.
Please contact after-sales service, open the HESKMonitor project of that version,
and then connect to the device.</translation>
    </message>
</context>
<context>
    <name>ChangeJournal</name>
    <message>
        <location filename="../src/core/shell/ChangeJournal.cpp" line="+88"/>
        <source>修改记录文件%1无法读取（%2）。</source>
        <translation>The change journal file %1 cannot be read (%2).</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>已确认</source>
        <translation>Confirmed</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>失败</source>
        <translation>Failed</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>离线修改</source>
        <translation>Changed offline</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>文件过大</source>
        <translation>file too large</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>文件已损坏</source>
        <translation>file damaged</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>不是修改记录文件</source>
        <translation>not a change journal file</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>修改记录文件%1属于其他工程，不能加载。</source>
        <translation>The change journal file %1 belongs to another project and cannot be loaded.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>第%1条记录已损坏</source>
        <translation>entry %1 is damaged</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>
原文件已改名保存为%1，新的修改记录将写入%2。</source>
        <translation>
The original file was kept as %1; new changes will be recorded in %2.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>
原文件无法改名，本次的修改记录不写入文件。</source>
        <translation>
The original file could not be renamed; changes made in this session will not be written to a file.</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>修改记录文件%1保存失败（%2）！</source>
        <translation>The change journal file %1 could not be saved (%2)!</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>修改记录导出失败（%1）！</source>
        <translation>Exporting the change journal failed (%1)!</translation>
    </message>
</context>
<context>
    <name>CommandRules</name>
    <message>
        <location filename="../src/core/shell/CommandRules.cpp" line="+10"/>
        <source>创建工程(&amp;N)</source>
        <translation>&amp;New project</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>搜索设备</source>
        <translation>Search devices</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>添加设备</source>
        <translation>Add device</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>日志</source>
        <translation>Log</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>项目</source>
        <translation>Project</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>端口设定</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连接下位机</source>
        <translation>Connect to drive</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>断开下位机</source>
        <translation>Disconnect from drive</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开Dnl</source>
        <translation>Open DNL</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>参数上传</source>
        <translation>Upload parameters</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>参数下载</source>
        <translation>Download parameters</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>文件比较</source>
        <translation>Compare files</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查找功能码</source>
        <translation>Find parameter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>恢复出厂设置</source>
        <translation>Restore factory settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开故障波形文件</source>
        <translation>Open fault waveform file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>打开触发录波文件</source>
        <translation>Open trigger recording file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>上传驱动板故障录波</source>
        <translation>Upload drive board fault recording</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>近似值比较优化</source>
        <translation>Approximate comparison</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>HESKMonitor用户手册</source>
        <translation>HESKMonitor user manual</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>VRA1控制器说明</source>
        <translation>VRA1 controller description</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>BICO连线</source>
        <translation>BICO wiring</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>修改记录</source>
        <translation>Change log</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>三方比较（设备/文件/出厂值）</source>
        <translation>Three-way comparison (device/file/factory value)</translation>
    </message>
</context>
<context>
    <name>CompareCsvExport</name>
    <message>
        <location filename="../src/core/files/CompareCsvExport.cpp" line="+34"/>
        <location line="+5"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>不能导出，未选择导出参数类型。</source>
        <translation>Cannot export: no parameter set has been chosen.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>不能导出，未选择文件路径。</source>
        <translation>Cannot export: no folder has been chosen.</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+13"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>创建文件路径失败。</source>
        <translation>The folder could not be created.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>导出失败，请您重新尝试！</source>
        <translation>The export failed. Please try again.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>文件导出成功！</source>
        <translation>The file was exported successfully.</translation>
    </message>
</context>
<context>
    <name>ControlPanelPane</name>
    <message>
        <location filename="../src/app/operation/ControlPanelPane.cpp" line="+33"/>
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
</context>
<context>
    <name>CpuTypeCheck</name>
    <message>
        <location filename="../src/core/model/CpuTypeCheck.cpp" line="+24"/>
        <source>上位机CPU类型是%1！下位机CPU类型不在处理范围内。
连接操作被终止！</source>
        <translation>The project&apos;s CPU type is %1! The device&apos;s CPU type is not supported.
The connection was aborted!</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>设备的CPU类型是%1，与上位机的CPU类型%2不匹配！
请重新打开CPU类型匹配的Monitor工程
连接操作被终止！</source>
        <translation>The device&apos;s CPU type is %1, which does not match the project&apos;s CPU type %2!
Please open a Monitor project with a matching CPU type.
The connection was aborted!</translation>
    </message>
</context>
<context>
    <name>CustomPageList</name>
    <message>
        <location filename="../src/core/pages/CustomPageList.cpp" line="+21"/>
        <source>请输入正确的参数号！</source>
        <translation>Please enter a valid parameter number!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>参数不存在，请您重新输入！</source>
        <translation>The parameter does not exist. Please enter it again!</translation>
    </message>
</context>
<context>
    <name>CustomPageTransfer</name>
    <message>
        <location filename="../src/core/pages/CustomPageTransfer.cpp" line="+20"/>
        <source>询问</source>
        <translation>Question</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+70"/>
        <location line="+7"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="-76"/>
        <source>建立输出文件失败，请您重新尝试！</source>
        <translation>The output file could not be created. Please try again!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>成功将参数导出至文件：%1</source>
        <translation>The parameters were exported to the file: %1</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>当前自定义参数是否更新至原文件？
文件路径：%1</source>
        <translation>Save the current custom parameters to their original file?
File: %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>当前自定义参数是否另存为文件？</source>
        <translation>Save the current custom parameters to a file?</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>打开自定义参数文件</source>
        <translation>Open custom parameter file</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>文件%1过大（超过%2 MB），不是自定义参数文件，打开失败！</source>
        <translation>The file %1 is too large (over %2 MB) to be a custom parameter file. It was not opened!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>文件打开失败！</source>
        <translation>The file could not be opened!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>文件中缺少有效的设备类型信息，是否继续加载？</source>
        <translation>The file has no valid device type. Load it anyway?</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>文件中的设备类型为：%1，与当前工程不一致，是否继续加载？</source>
        <translation>The file&apos;s device type is %1, which differs from the current project&apos;s. Load it anyway?</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>文件中没有有效的参数信息！</source>
        <translation>The file contains no valid parameters!</translation>
    </message>
</context>
<context>
    <name>DeviceSearch</name>
    <message>
        <location filename="../src/core/online/BoardCheck.cpp" line="-37"/>
        <source>程序执行异常，请联系开发人员！</source>
        <translation>An internal error occurred. Please contact the developers!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>串口打开失败！</source>
        <translation>The serial port could not be opened!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>请求设备程序ID超时。</source>
        <translation>The request for the device&apos;s program ID timed out.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请求设备CPU类型超时。</source>
        <translation>The request for the device&apos;s CPU type timed out.</translation>
    </message>
    <message>
        <location filename="../src/core/online/DeviceSearch.cpp" line="+34"/>
        <source>%1，%2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <location line="+86"/>
        <source>通信设置加载失败！</source>
        <translation>The communication settings could not be loaded!</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>正在搜索设备...</source>
        <translation>Searching for the device...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>请点击开始按钮，执行搜索设备操作。</source>
        <translation>Click Start to search for the device.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>搜索已结束，点击开始按钮可重新搜索。</source>
        <translation>The search has ended. Click Start to search again.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>  已搜索到设备：%1</source>
        <translation>  Device found: %1</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>搜素设备超时，请您重新尝试！</source>
        <translation>The device search timed out. Please try again!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>正在搜索设备，请稍后再关闭对话框！</source>
        <translation>The search is still running. Please wait before closing the dialog!</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>已搜索到设备，是否打开对应工程？
设备类型，版本：%1</source>
        <translation>A device was found. Open its project?
Device type, version: %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
</context>
<context>
    <name>DeviceStateIndicator</name>
    <message>
        <location filename="../src/core/shell/DeviceStateIndicator.cpp" line="+13"/>
        <location line="+19"/>
        <source>正常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location line="-2"/>
        <source>故障</source>
        <translation>Fault</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>报警</source>
        <translation>Alarm</translation>
    </message>
</context>
<context>
    <name>DialogButtons</name>
    <message>
        <location filename="../src/app/dialogs/DialogButtons.cpp" line="+18"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DnlCompare</name>
    <message>
        <location filename="../src/core/files/DnlCompare.cpp" line="+113"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>文件 %1 中没有有效数据！</source>
        <translation>The file %1 contains no valid data!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>文件中第 %1 行参数的主参顺序不对，打开失败！</source>
        <translation>The parameter numbers in row %1 of the file are out of order; the file cannot be opened!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>文件第 %1 行参数的辅参顺序不对或参数重复，打开失败！</source>
        <translation>The index in row %1 of the file is out of order or the parameter is repeated; the file cannot be opened!</translation>
    </message>
</context>
<context>
    <name>DnlImport</name>
    <message>
        <location filename="../src/core/files/DnlImport.cpp" line="+36"/>
        <source>导入dnl数据成功！
dnl文件中共有%1个参数，全部导入成功！</source>
        <translation>The dnl data were imported.
The dnl file holds %1 parameters; all of them were imported.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>导入dnl数据成功！
dnl文件中共有%1个参数，成功导入%2个参数！
导入失败信息详见日志。</source>
        <translation>The dnl data were imported.
The dnl file holds %1 parameters; %2 of them were imported.
See the log for the rows that were not imported.</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+5"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>文件打开失败！</source>
        <translation>The file could not be opened!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>您所打开的文件没有有效项，请您重新尝试打开其它文件！</source>
        <translation>The file you opened has no valid rows. Please open another file.</translation>
    </message>
</context>
<context>
    <name>DnlOpen</name>
    <message>
        <location filename="../src/core/files/DnlOpen.cpp" line="+30"/>
        <source>打开DNL文件</source>
        <translation>Open DNL File</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>文件打开失败！</source>
        <translation>The file could not be opened!</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>根据dnl文件中的设备类型和版本打开对应工程失败！</source>
        <translation>The project for the device type and version in the dnl file could not be opened!</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>DnlProjectCheck</name>
    <message>
        <location filename="../src/core/files/DnlProjectCheck.cpp" line="+35"/>
        <location line="+9"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="-8"/>
        <source>无法识别dnl文件中的设备类型，禁止导入！</source>
        <translation>The device type in the dnl file is not recognised; the file cannot be imported!</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>dnl文件中的设备类型与当前工程不匹配，禁止导入！</source>
        <translation>The device type in the dnl file does not match the current project; the file cannot be imported!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>当前工程版本为：%1，
dnl文件版本为：%2，
是否继续导入此dnl文件？</source>
        <translation>The current project&apos;s version is %1,
the dnl file&apos;s version is %2.
Import this dnl file anyway?</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+5"/>
        <source>询问</source>
        <translation>Question</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dnl文件中缺少有效的版本信息，
是否继续导入此文件？</source>
        <translation>The dnl file has no valid version information.
Import this file anyway?</translation>
    </message>
</context>
<context>
    <name>DownloadImage</name>
    <message>
        <location filename="../src/core/files/DownloadImage.cpp" line="+290"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+137"/>
        <source>参数下载完成！
当前工程中可下载的参数共有%1个，
从dnl文件中下载成功的参数有%2个，失败的有%3个！
dnl文件未包含的可下载参数共有%4个！
详见日志。</source>
        <translation>Parameter download finished.
The current project has %1 parameters that can be downloaded;
%2 parameters from the dnl file were downloaded, %3 failed.
%4 downloadable parameters are not in the dnl file.
See the log for details.</translation>
    </message>
    <message>
        <location filename="../src/core/files/DownloadImage.h" line="+110"/>
        <source>文件中没有有效项，请您重新尝试打开其它文件！</source>
        <translation>The file has no valid rows. Please open another file.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>您是否要下载装置序列号？选择否将不下载装置序列号。</source>
        <translation>Download the device serial number? Choose No to leave the serial number out.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dnl中0070参数错误，下载失败</source>
        <translation>Parameter 0070 in the dnl file is wrong; download failed</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dnl中0070参数错误，下载失败！</source>
        <translation>Parameter 0070 in the dnl file is wrong; download failed!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>dnl文件中的下载项超过%1个，下载失败！</source>
        <translation>The dnl file has more than %1 download entries; download failed!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>数据转换出错，请联系开发人员！</source>
        <translation>A value could not be converted. Please contact the developers.</translation>
    </message>
</context>
<context>
    <name>DriveBoardFaultUpload</name>
    <message>
        <location filename="../src/core/recording/DriveBoardFaultUpload.cpp" line="+36"/>
        <location line="+5"/>
        <location line="+14"/>
        <source>发生未知错误，请重试！</source>
        <translation>An unknown error occurred. Please try again.</translation>
    </message>
    <message>
        <location line="-16"/>
        <source>自动打开工程失败！</source>
        <translation>The project could not be opened automatically.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>驱动板串口打开失败！</source>
        <translation>The drive board&apos;s serial port could not be opened.</translation>
    </message>
</context>
<context>
    <name>DriveStates</name>
    <message>
        <location filename="../src/core/operation/DriveStates.cpp" line="+10"/>
        <source>初始状态</source>
        <translation>Initial state</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>并联通讯等待</source>
        <translation>Waiting for parallel communication</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>系统设置</source>
        <translation>System setup</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>故障</source>
        <translation>Fault</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>启动禁止</source>
        <translation>Start inhibited</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>启动待机</source>
        <translation>Ready to start</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>直流母线的预充电</source>
        <translation>DC link precharging</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>操作待机</source>
        <translation>Ready to run</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>运行</source>
        <translation>Running</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OFF1有效</source>
        <translation>OFF1 active</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>OFF3有效</source>
        <translation>OFF3 active</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>漏感识别</source>
        <translation>Leakage inductance identification</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>自检</source>
        <translation>Self test</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>静态辨识</source>
        <translation>Standstill identification</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
</context>
<context>
    <name>EditMessages</name>
    <message>
        <location filename="../src/core/editing/EditMessages.cpp" line="+19"/>
        <source>触发录波正在传输数据，当前状态禁止改值！</source>
        <translation>The trigger recorder is transferring data; values cannot be changed now!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>系统参数，不允许修改！</source>
        <translation>This is a system parameter and cannot be changed!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>该参数在此权限状态下不能被修改！</source>
        <translation>This parameter cannot be changed in the current access state!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>该参数在此权限状态下不能被修改！
</source>
        <translation>This parameter cannot be changed in the current access state!
</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>当参数菜单P60为 %1 时，该参数不能被修改！</source>
        <translation>This parameter cannot be changed while the parameter menu P60 is %1!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>该参数是未激活的电机数据组，不能被修改！</source>
        <translation>This parameter belongs to an inactive motor data set and cannot be changed!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>该参数超过设置的从站个数范围，不能被修改！</source>
        <translation>This parameter is beyond the configured number of slave stations and cannot be changed!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>此类型的参数不允许修改！</source>
        <translation>Parameters of this type cannot be changed!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>r参数不允许改值或改连线！</source>
        <translation>The value or connection of an r parameter cannot be changed!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>当前状态下，该参数不能修改！</source>
        <translation>This parameter cannot be changed in the current state!</translation>
    </message>
</context>
<context>
    <name>EditorMessages</name>
    <message>
        <location filename="../src/core/editing/EditorMessages.cpp" line="+10"/>
        <source>在线修改参数值失败！</source>
        <translation>Changing the parameter value on the drive failed!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>在线修改参数连线失败！</source>
        <translation>Changing the parameter connection on the drive failed!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>数据转换出错，请联系开发人员！</source>
        <translation>The value could not be converted. Please contact the developers!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>请您输入参数号或双击列表相应行，修改连线！</source>
        <translation>Enter a parameter number or double-click a row of the list to change the connection!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>参数不存在，请您重新输入或双击列表相应行，修改连线！</source>
        <translation>The parameter does not exist. Enter it again or double-click a row of the list to change the connection!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>此连接型参数即不是K参数也不是B参数，请联系开发人员！</source>
        <translation>This connection parameter is neither a connector (K) nor a binector (B) parameter. Please contact the developers!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>此参数不允许修改连线！</source>
        <translation>The connection of this parameter cannot be changed!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>改连线过程中，不允许关闭对话框！</source>
        <translation>The dialog cannot be closed while the connection is being changed!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>改值过程中，不允许关闭对话框！</source>
        <translation>The dialog cannot be closed while the value is being changed!</translation>
    </message>
</context>
<context>
    <name>FactoryDifferences</name>
    <message>
        <location filename="../src/core/pages/FactoryDifferences.cpp" line="+59"/>
        <source>与出厂值不同：%1 项</source>
        <translation>Differing from factory values: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>（已读取 %1/%2）</source>
        <translation> (%1/%2 read)</translation>
    </message>
</context>
<context>
    <name>FaultAlarmList</name>
    <message>
        <location filename="../src/core/recording/FaultAlarmList.cpp" line="+61"/>
        <source>设备类型</source>
        <translation>Device type</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设备版本</source>
        <translation>Device version</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>故障/报警码</source>
        <translation>Fault/alarm code</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>故障/报警码含义</source>
        <translation>Meaning</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>故障/报警原因</source>
        <translation>Cause</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>解决措施</source>
        <translation>Remedy</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>故障</source>
        <translation>Fault</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>报警</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>正常</source>
        <translation>Normal</translation>
    </message>
</context>
<context>
    <name>FaultDataFile</name>
    <message>
        <location filename="../src/core/recording/FaultDataFile.cpp" line="+22"/>
        <source>文件格式不符！</source>
        <translation>The file format is not valid!</translation>
    </message>
    <message>
        <location line="+284"/>
        <source>文件打开失败！</source>
        <translation>The file could not be opened!</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>导入故障录波文件时，文件中要求显示的故障字信息与当前工程不匹配，导入操作被禁止！</source>
        <translation>The fault words the fault waveform file asks to show do not match the current project; the file cannot be imported!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>当前缓冲没有数据！</source>
        <translation>The buffer holds no data!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>数据成功导出至：</source>
        <translation>Data exported to: </translation>
    </message>
</context>
<context>
    <name>FaultDataUpload</name>
    <message>
        <location filename="../src/core/recording/FaultDataUpload.cpp" line="+27"/>
        <source>站号不能为空！</source>
        <translation>The station number must not be empty!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>设置的从站号超出范围！</source>
        <translation>The slave station number is out of range!</translation>
    </message>
</context>
<context>
    <name>FaultFileOpen</name>
    <message>
        <location filename="../src/core/recording/FaultFileOpen.cpp" line="+37"/>
        <source>根据文件中的设备类型和版本打开对应工程失败！</source>
        <translation>The project for the device type and version in the file could not be opened!</translation>
    </message>
</context>
<context>
    <name>FaultRecord</name>
    <message>
        <location filename="../src/core/recording/FaultRecord.cpp" line="+11"/>
        <source>第%1次故障</source>
        <translation>Fault %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>(最近的故障)</source>
        <translation> (latest fault)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>主站故障</source>
        <translation>Master station fault</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从站 %1 故障</source>
        <translation>Slave station %1 fault</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>已运行%1天%2小时%3分钟%4秒</source>
        <translation>Running for %1 d %2 h %3 min %4 s</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>共发生%1次故障</source>
        <translation>%1 faults in total</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>共上电%1次</source>
        <translation>Powered on %1 times</translation>
    </message>
</context>
<context>
    <name>FeaturesNotBuilt</name>
    <message>
        <location filename="../src/core/shell/FeaturesNotBuilt.cpp" line="+24"/>
        <source>该功能尚未提供。</source>
        <translation>This function is not available yet.</translation>
    </message>
</context>
<context>
    <name>FileCompare</name>
    <message>
        <location filename="../src/core/files/FileCompare.cpp" line="+12"/>
        <source>出厂值</source>
        <translation>Factory values</translation>
    </message>
    <message>
        <location line="+6"/>
        <source> 打开dnl文件</source>
        <translation> Open dnl file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> 出厂值</source>
        <translation> Factory values</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>基准文件</source>
        <translation>Base file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>比对文件</source>
        <translation>Compared file</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>项目文件%1错误，打开失败！</source>
        <translation>The project file %1 is not valid; it cannot be opened!</translation>
    </message>
    <message>
        <location line="+30"/>
        <location line="+5"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="-4"/>
        <source>基准文件不能为空！</source>
        <translation>The base file must not be empty!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>比对文件不能为空！</source>
        <translation>The compared file must not be empty!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>正在比较数据(1/2)</source>
        <translation>Comparing data (1/2)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>正在比较数据(2/2)</source>
        <translation>Comparing data (2/2)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>正在刷新列表</source>
        <translation>Refreshing the list</translation>
    </message>
</context>
<context>
    <name>HelpDocuments</name>
    <message>
        <location filename="../src/core/shell/HelpDocuments.cpp" line="+12"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+52"/>
        <source>查看的文档暂不存在！</source>
        <translation>The document is not available.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>查找的文件：</source>
        <translation>Files looked for: </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>查找的文件夹：</source>
        <translation>Folders searched:</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>文档无法打开：
</source>
        <translation>The document cannot be opened:
</translation>
    </message>
</context>
<context>
    <name>InputValidation</name>
    <message>
        <location filename="../src/core/model/InputValidation.cpp" line="+220"/>
        <source>数据不允许为空，请重新输入！</source>
        <translation>The value must not be empty. Please enter it again!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>数据格式不符合要求！</source>
        <translation>The value has an invalid format!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>数据不在范围内！</source>
        <translation>The value is out of range!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>此类型参数值小数部分最多保留 %1 位！</source>
        <translation>Values of this parameter type allow at most %1 decimal places!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>此参数类型只允许输入整数！</source>
        <translation>This parameter type only accepts whole numbers!</translation>
    </message>
</context>
<context>
    <name>InterfaceLanguage</name>
    <message>
        <location filename="../src/core/shell/InterfaceLanguage.cpp" line="+59"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>文件保存失败！</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>界面语言将在程序下次启动时切换。</source>
        <translation>The interface language changes the next time the program starts.</translation>
    </message>
</context>
<context>
    <name>InterfaceSetup</name>
    <message>
        <location filename="../src/core/online/InterfaceSetup.cpp" line="+68"/>
        <source>该模式使用232通信协议,需要设定串口号和波特率</source>
        <translation>This mode uses the RS-232 protocol; set the serial port and the baud rate.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>该模式使用以太网通信协议</source>
        <translation>This mode uses the Ethernet protocol.</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+30"/>
        <source>当前机器上未检测到串口设备！</source>
        <translation>No serial port was found on this computer!</translation>
    </message>
    <message>
        <location line="-17"/>
        <source>当前机器上没有检测到串口设备!</source>
        <translation>No serial port was detected on this computer!</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>文件保存失败！</source>
        <translation>The file could not be saved!</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>端口未选择！</source>
        <translation>No port selected!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>波特率未选择！</source>
        <translation>No baud rate selected!</translation>
    </message>
</context>
<context>
    <name>IntermediateFile</name>
    <message>
        <location filename="../src/core/creation/IntermediateFile.cpp" line="+86"/>
        <source>项目文件%1错误，打开失败！</source>
        <translation>The project file %1 is invalid and could not be opened!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>CPU项目文件%1错误，装载失败！</source>
        <translation>The CPU project file %1 is invalid and could not be loaded!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>文件%1不存在，装载失败！</source>
        <translation>The file %1 does not exist and could not be loaded!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>CPU项目文件%1过大（超过%2 MB），不是有效的中间文件，装载失败！</source>
        <translation>The CPU project file %1 is too large (over %2 MB) to be a valid intermediate file. It was not loaded!</translation>
    </message>
</context>
<context>
    <name>JournalUndo</name>
    <message>
        <location filename="../src/core/shell/JournalUndo.cpp" line="+73"/>
        <source>该修改未被设备确认，设备上的值没有改变，无需撤销。</source>
        <translation>The device never confirmed this change; its value on the device did not change, so there is nothing to undo.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>该修改之前的值未知，不能撤销！</source>
        <translation>The value before this change is unknown; the change cannot be undone!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>您当前没有连接设备，不能撤销修改，请连接设备后重新尝试！</source>
        <translation>You are not connected to the device, so the change cannot be undone. Connect to the device and try again!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>在获取电机控制权情况下不能撤销修改，请先释放电机控制权！</source>
        <translation>Changes cannot be undone while you hold control of the motor. Release the control first!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>当前工程中没有参数%1，不能撤销该修改！</source>
        <translation>The current project has no parameter %1; the change cannot be undone!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>请求数据超时，请您重新尝试！</source>
        <translation>The data request timed out. Please try again!</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>参数%1不能修改，不能撤销该修改！</source>
        <translation>Parameter %1 cannot be changed, so the change cannot be undone!</translation>
    </message>
</context>
<context>
    <name>MigrationReport</name>
    <message>
        <location filename="../src/core/files/MigrationReport.cpp" line="+23"/>
        <source>以修正后的值%1导入</source>
        <translation>imported with the corrected value %1</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>工程不接受</source>
        <translation>Not taken by the project</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>值不被接受</source>
        <translation>Value refused</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>值将被修正</source>
        <translation>Value corrected</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>文件中没有</source>
        <translation>Missing in the file</translation>
    </message>
    <message>
        <location line="+41"/>
        <source>（未注明）</source>
        <translation>(not given)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>dnl文件版本%1与工程版本%2不同。文件共%3行：%4行工程不接受，%5个值不被接受，%6个值将被修正；工程中有%7个参数文件中没有。</source>
        <translation>The dnl file&apos;s version %1 differs from the project&apos;s version %2. The file has %3 rows: %4 rows are not taken by the project, %5 values are refused, %6 values will be corrected; %7 parameters of the project are missing in the file.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>[%1] %2：%3 → %4</source>
        <translation>[%1] %2: %3 → %4</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>工程中没有此参数</source>
        <translation>The project has no such parameter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不导入</source>
        <translation>not imported</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>不导入，离线值保持不变</source>
        <translation>not imported; the offline value stays as it is</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+36"/>
        <source>工程中有此参数，dnl文件中没有</source>
        <translation>The project has this parameter, the dnl file does not</translation>
    </message>
    <message>
        <location line="-35"/>
        <source>离线值保持不变</source>
        <translation>the offline value stays as it is</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>设备上的值保持不变</source>
        <translation>the value on the device stays as it is</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>工程中没有此参数或不允许下载</source>
        <translation>The project has no such parameter, or it may not be downloaded</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+4"/>
        <source>不下载</source>
        <translation>not downloaded</translation>
    </message>
    <message>
        <location line="-1"/>
        <source>工程中没有此r参数</source>
        <translation>The project has no such r parameter</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>下载检查不通过</source>
        <translation>Refused by the download checks</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不下载，设备上的值保持不变</source>
        <translation>not downloaded; the value on the device stays as it is</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>dnl文件</source>
        <translation>dnl file</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>不能下载</source>
        <translation>cannot be downloaded</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>
……共%1项，全部列在日志中。</source>
        <translation>
… %1 items in total, all of them listed in the log.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>

是否继续下载？</source>
        <translation>

Continue the download?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>

是否继续导入？</source>
        <translation>

Continue the import?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>版本迁移报告</source>
        <translation>Version Migration Report</translation>
    </message>
</context>
<context>
    <name>MotorDataCascade</name>
    <message>
        <location filename="../src/core/editing/MotorDataCascade.cpp" line="+121"/>
        <source>请求数据超时，请您重新尝试！</source>
        <translation>The data request timed out. Please try again!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>修改此参数需要花费几秒时间，请您耐心等待！</source>
        <translation>Changing this parameter takes a few seconds. Please wait!</translation>
    </message>
</context>
<context>
    <name>OfflineDnlSave</name>
    <message>
        <location filename="../src/core/files/OfflineDnlSave.cpp" line="+50"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+18"/>
        <source>建立输出文件失败，请您重新尝试！</source>
        <translation>The output file could not be created. Please try again.</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>请选择导出dnl文件路径！</source>
        <translation>Please choose where to save the dnl file!</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出dnl文件成功，文件路径：
</source>
        <translation>The dnl file was exported to:
</translation>
    </message>
</context>
<context>
    <name>OnlineStatusPanes</name>
    <message>
        <location filename="../src/core/online/StatusPanes.cpp" line="+11"/>
        <source>CPU负荷:未知</source>
        <translation>CPU load: unknown</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>CPU负荷:%1%2</source>
        <translation>CPU load: %1%2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>在线，通信接口：以太网</source>
        <translation>Online, interface: Ethernet</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>在线(%1 | %2bps)</source>
        <translation>Online (%1 | %2 bps)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>离线，串口已设置：(%1 | %2bps)</source>
        <translation>Offline, serial port set: (%1 | %2 bps)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>离线，通信接口：以太网</source>
        <translation>Offline, interface: Ethernet</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>离线：端口没有设置！</source>
        <translation>Offline: no port set!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>程序状态:未知</source>
        <translation>Program state: unknown</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>程序状态:运行中</source>
        <translation>Program state: running</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>程序状态:挂起</source>
        <translation>Program state: suspended</translation>
    </message>
</context>
<context>
    <name>PageCatalogue</name>
    <message>
        <location filename="../src/core/model/PageCatalogue.cpp" line="+24"/>
        <location line="+47"/>
        <location line="+18"/>
        <source>控制字/状态字</source>
        <translation>Control word/Status word</translation>
    </message>
    <message>
        <location line="-64"/>
        <source>V/F开环控制(带码盘)</source>
        <translation>V/f open-loop control (with encoder)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>V/F开环控制</source>
        <translation>V/f open-loop control</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>V/F开环控制(纺织应用)</source>
        <translation>V/f open-loop control (textile)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>无码盘矢量控制</source>
        <translation>Vector control without encoder</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>有码盘矢量控制</source>
        <translation>Vector control with encoder</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>转矩控制</source>
        <translation>Torque control</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电机数据组</source>
        <translation>Motor data sets</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+28"/>
        <location line="+18"/>
        <source>功能数据组</source>
        <translation>Function data sets</translation>
    </message>
    <message>
        <location line="-42"/>
        <source>BICO数据组</source>
        <translation>BICO data sets</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+22"/>
        <location line="+18"/>
        <source>DP通讯</source>
        <translation>DP communication</translation>
    </message>
    <message>
        <location line="-39"/>
        <location line="+22"/>
        <location line="+18"/>
        <source>PN通讯</source>
        <translation>PN communication</translation>
    </message>
    <message>
        <location line="-39"/>
        <source>SLB通讯</source>
        <translation>SLB communication</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>逆变器并联</source>
        <translation>Inverters in parallel</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+21"/>
        <location line="+18"/>
        <source>故障/报警</source>
        <translation>Faults/Alarms</translation>
    </message>
    <message>
        <location line="-38"/>
        <location line="+21"/>
        <location line="+18"/>
        <source>自由功能参数</source>
        <translation>Free function parameters</translation>
    </message>
    <message>
        <location line="-36"/>
        <location line="+19"/>
        <location line="+18"/>
        <source>恢复出厂设定</source>
        <translation>Factory reset</translation>
    </message>
    <message>
        <location line="-36"/>
        <location line="+19"/>
        <location line="+18"/>
        <source>系统设定</source>
        <translation>System settings</translation>
    </message>
    <message>
        <location line="-34"/>
        <location line="+18"/>
        <location line="+18"/>
        <source>功率部分定义</source>
        <translation>Power section definition</translation>
    </message>
    <message>
        <location line="-24"/>
        <location line="+18"/>
        <source>装置并联</source>
        <translation>Units in parallel</translation>
    </message>
    <message>
        <location line="+73"/>
        <source>P参数</source>
        <translation>P parameters</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>r参数</source>
        <translation>r parameters</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>所有参数</source>
        <translation>All parameters</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>自定义参数</source>
        <translation>Custom parameters</translation>
    </message>
</context>
<context>
    <name>PageColumns</name>
    <message>
        <location filename="../src/core/pages/PageColumns.cpp" line="+13"/>
        <source>主参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>辅参数</source>
        <translation>Index</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>跟踪值</source>
        <translation>Value</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>出厂值</source>
        <translation>Factory value</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>注释</source>
        <translation>Comment</translation>
    </message>
</context>
<context>
    <name>PanelView</name>
    <message>
        <location filename="../src/core/operation/PanelView.cpp" line="+55"/>
        <source>脉冲使能</source>
        <translation>Pulse enable</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>斜坡函数发生器使能</source>
        <translation>Ramp-function generator enable</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>斜坡函数发生器启停</source>
        <translation>Ramp-function generator start</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设定值使能</source>
        <translation>Setpoint enable</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>正常</source>
        <translation>Normal</translation>
    </message>
</context>
<context>
    <name>ParameterDownload</name>
    <message>
        <location filename="../src/core/files/ParameterDownload.cpp" line="+34"/>
        <source>串口尚未打开或者已被占用！</source>
        <translation>The serial port is not open or is in use by another program!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通讯错误代码%1</source>
        <translation>Communication error code %1</translation>
    </message>
</context>
<context>
    <name>ParameterPageWindows</name>
    <message>
        <location filename="../src/app/pages/ParameterPageWindows.cpp" line="+17"/>
        <source>：右键列表区域，可插入、删除、更改参数</source>
        <translation>: right-click the list to insert, delete or change parameters</translation>
    </message>
</context>
<context>
    <name>ParameterUpload</name>
    <message>
        <location filename="../src/core/files/ParameterUpload.cpp" line="+41"/>
        <source>上传参数错误，参数上传操作被终止！</source>
        <translation>The uploaded parameters are wrong; the parameter upload was stopped!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>下位机参数长度错误，参数上传操作被终止！</source>
        <translation>The drive&apos;s parameter length is wrong; the parameter upload was stopped!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>上下位机输入参数个数不匹配，参数上传操作被终止！</source>
        <translation>The number of settable parameters differs between the drive and the project; the parameter upload was stopped!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>上下位机输出参数个数不匹配，参数上传操作被终止！</source>
        <translation>The number of read-only parameters differs between the drive and the project; the parameter upload was stopped!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>下位机输入参数表与连接参数表长度不匹配，参数上传操作被终止！</source>
        <translation>The drive&apos;s parameter table and connection table differ in length; the parameter upload was stopped!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>下位机参数表长度超出范围，参数上传操作被终止！</source>
        <translation>The drive&apos;s parameter table is too long; the parameter upload was stopped!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>上位机参数表长度超出范围，参数上传操作被终止！</source>
        <translation>The project&apos;s parameter table is too long; the parameter upload was stopped!</translation>
    </message>
</context>
<context>
    <name>ProjectCreation</name>
    <message>
        <location filename="../src/core/creation/ProjectCreation.cpp" line="+37"/>
        <source>请先加载中间文件！</source>
        <translation>Please load the intermediate file first!</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>未知的设备类型%1！</source>
        <translation>Unknown device type %1!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>设备类型%1没有版本%2！</source>
        <translation>Device type %1 has no version %2!</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>HESKMonitor软件暂时不支持此CPU类型，请联系开发人员！</source>
        <translation>HESKMonitor does not support this CPU type yet. Please contact the developers!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>此中间文件与您选择的设备类型不符，禁止加载！</source>
        <translation>This intermediate file does not match the chosen device type and cannot be loaded!</translation>
    </message>
    <message>
        <location line="+37"/>
        <location line="+7"/>
        <source>缺少所需文件！</source>
        <translation>A required file is missing!</translation>
    </message>
    <message>
        <location line="-5"/>
        <source>读取转换文件失败！</source>
        <translation>The conversion file could not be read!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>未发现Excel驱动，读取转换文件失败！</source>
        <translation>No spreadsheet reader could handle the file; the conversion file could not be read!</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Ubase文件%1错误，打开失败！</source>
        <translation>The Ubase file %1 is invalid and could not be opened!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>读取Ubase文件失败！</source>
        <translation>The Ubase file could not be read!</translation>
    </message>
    <message>
        <location line="+30"/>
        <source>项目名称不能为空！</source>
        <translation>The project name must not be empty!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>项目名称最长12位字符，仅允许字母/下划线/数字！</source>
        <translation>The project name may have at most 12 characters: letters, underscores and digits only!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>请加载中间文件！</source>
        <translation>Please load the intermediate file!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>请加载转换文件！</source>
        <translation>Please load the conversion file!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>请加载Ubase文件！</source>
        <translation>Please load the Ubase file!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>请选择项目存储路径！</source>
        <translation>Please choose the folder to store the project in!</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>项目文件%1已存在，请更换项目名称或存储路径！</source>
        <translation>The project file %1 already exists. Please choose another project name or folder!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>文件保存失败！</source>
        <translation>The file could not be saved!</translation>
    </message>
</context>
<context>
    <name>ProjectFile</name>
    <message>
        <location filename="../src/core/model/ProjectFile.cpp" line="+35"/>
        <source>CPU项目文件%1错误，装载失败！</source>
        <translation>The CPU project file %1 is invalid and could not be loaded!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>CPU项目文件%1过大（超过%2 MB），不是有效的工程文件，装载失败！</source>
        <translation>The CPU project file %1 is too large (over %2 MB) to be a valid project file. It was not loaded!</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>文件%1不存在，装载失败！</source>
        <translation>The file %1 does not exist and could not be loaded!</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>文件保存失败！</source>
        <translation>The file could not be saved!</translation>
    </message>
</context>
<context>
    <name>ProjectLifecycle</name>
    <message>
        <location filename="../src/core/shell/ProjectLifecycle.cpp" line="+36"/>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>项目文件(*.tmprj)</source>
        <translation>Project files (*.tmprj)</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+13"/>
        <location line="+4"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="-17"/>
        <location line="+13"/>
        <source>已经有项目打开，请先退出当前项目！</source>
        <translation>A project is already open. Close the current project first.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>项目文件%1错误，打开失败！</source>
        <translation>The project file %1 is not valid and could not be opened.</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+96"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="-95"/>
        <source>程序无法识别文件中的设备类型，请您重新选择其他工程文件！</source>
        <translation>The device type in the file is not recognised. Choose another project file.</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>内容有修改,是否保存到工程文件？</source>
        <translation>The content has changed. Save it to the project file?</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>您的离线信息有修改,是否要保存到dnl文件？</source>
        <translation>Your offline values have changed. Save them to the DNL file?</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>当前触发录波的数据是否保存？</source>
        <translation>Save the current trigger recording data?</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>程序在线，请先断开连接，再关闭程序！</source>
        <translation>The program is online. Disconnect first, then close the program.</translation>
    </message>
</context>
<context>
    <name>ProjectLocator</name>
    <message>
        <location filename="../src/core/model/ProjectLocator.cpp" line="+80"/>
        <source>文件%1不存在，装载失败！</source>
        <translation>The file %1 does not exist and could not be loaded!</translation>
    </message>
</context>
<context>
    <name>ProjectTreeLayout</name>
    <message>
        <location filename="../src/core/shell/ProjectTreeLayout.cpp" line="+28"/>
        <source>故障波形</source>
        <translation>Fault waveform</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+11"/>
        <source>参数菜单</source>
        <translation>Parameter menu</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>控制模式</source>
        <translation>Control modes</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+7"/>
        <source>数据组</source>
        <translation>Data sets</translation>
    </message>
    <message>
        <location line="-6"/>
        <location line="+7"/>
        <source>通讯</source>
        <translation>Communication</translation>
    </message>
    <message>
        <location line="+39"/>
        <location line="+9"/>
        <location line="+3"/>
        <source>调试功能</source>
        <translation>Commissioning tools</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>控制面板</source>
        <translation>Control panel</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+8"/>
        <source>触发录波</source>
        <translation>Trigger recorder</translation>
    </message>
    <message>
        <location line="-7"/>
        <location line="+8"/>
        <source>故障报警</source>
        <translation>Faults and alarms</translation>
    </message>
    <message>
        <location line="-7"/>
        <source>快速调试</source>
        <translation>Quick setup</translation>
    </message>
</context>
<context>
    <name>QuickSetupAutomatic</name>
    <message>
        <location filename="../src/core/operation/QuickSetupAutomatic.cpp" line="+23"/>
        <source>当前状态下，不能进行自动设置参数操作！

状态提示：
    1.请检查设备是否处于运行状态。
    2.请检查参数修改权限是否设置。
    3.修改菜单选择P60的值不为2/8。</source>
        <translation>The parameters cannot be set automatically in the present state!

Check:
    1. Whether the device is running.
    2. Whether the parameter modification right is set.
    3. That the menu selection P60 is not 2 or 8.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>当前状态下，不能进行自动设置参数操作！

提示：
    1.请检查设备是否处于运行状态。
    2.请检查参数修改权限是否设置。
    3.修改菜单选择P60的值为1/5/7。</source>
        <translation>The parameters cannot be set automatically in the present state!

Note:
    1. Check whether the device is running.
    2. Check whether the parameter modification right is set.
    3. Set the menu selection P60 to 1, 5 or 7.</translation>
    </message>
    <message>
        <location line="+47"/>
        <source>请求数据超时，请您重新尝试！</source>
        <translation>The request for data timed out. Please try again.</translation>
    </message>
</context>
<context>
    <name>QuickSetupPages</name>
    <message>
        <location filename="../src/core/operation/QuickSetupPages.cpp" line="+33"/>
        <source>1   恢复出厂参数</source>
        <translation>1   Restore factory settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>2   装置功率</source>
        <translation>2   Device power</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>3   参数组设置</source>
        <translation>3   Data sets</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>4   电机参数</source>
        <translation>4   Motor data</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>5   编码器</source>
        <translation>5   Encoder</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>6   参考值</source>
        <translation>6   Reference values</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>7   控制模式，命令源</source>
        <translation>7   Control mode, command source</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>8   斜坡函数发生器</source>
        <translation>8   Ramp-function generator</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>9   转速及转矩限幅</source>
        <translation>9   Speed and torque limits</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>10 电机参数辨识</source>
        <translation>10 Motor identification</translation>
    </message>
</context>
<context>
    <name>QuickSetupReset</name>
    <message>
        <location filename="../src/core/operation/QuickSetupReset.cpp" line="+15"/>
        <source>恢复出厂设置（保留P941所列参数）</source>
        <translation>Restore factory settings (keep the parameters listed in P941)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>装置自行恢复（P970=1）</source>
        <translation>Device restores itself (P970=1)</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>请求数据超时，请您重新尝试！</source>
        <translation>The request for data timed out. Please try again.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>该设备不支持恢复出厂设置功能！</source>
        <translation>This device does not support restoring factory settings!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>确定要恢复出厂设置吗？该操作不可撤销！</source>
        <translation>Restore the factory settings? This cannot be undone!</translation>
    </message>
</context>
<context>
    <name>QuickSetupTexts</name>
    <message>
        <location filename="../src/core/operation/QuickSetupTexts.cpp" line="+15"/>
        <source>整流回馈电源</source>
        <translation>Regenerative rectifier supply</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>有源整流电源</source>
        <translation>Active rectifier supply</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>基本型整流电源</source>
        <translation>Basic rectifier supply</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+10"/>
        <location line="+16"/>
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <location line="-20"/>
        <source>v/f控制</source>
        <translation>v/f control</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>纺织应用的v/f控制</source>
        <translation>v/f control for textile applications</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>频率控制（不带码盘）</source>
        <translation>Frequency control (without encoder)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>速度控制（带码盘）</source>
        <translation>Speed control (with encoder)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>转矩控制</source>
        <translation>Torque control</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>小键盘</source>
        <translation>Keypad</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>模拟量输入和端子排</source>
        <translation>Analog inputs and terminal strip</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>固定设定值和端子排</source>
        <translation>Fixed setpoints and terminal strip</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电动电位计和端子排</source>
        <translation>Motorized potentiometer and terminal strip</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>USS通讯</source>
        <translation>USS communication</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Profibus DP通讯</source>
        <translation>DP fieldbus communication</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>带编码器</source>
        <translation>With encoder</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>1 [自动参数设置]</source>
        <translation>1 [Automatic parameter setting]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2 [静止测量]</source>
        <translation>2 [Standstill measurement]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3 [完全电机辨识]</source>
        <translation>3 [Complete motor identification]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>4 [旋转测量]</source>
        <translation>4 [Rotating measurement]</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>5 [转动惯量测量]</source>
        <translation>5 [Moment of inertia measurement]</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>复位完成</source>
        <translation>Reset complete</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>正在复位...</source>
        <translation>Resetting...</translation>
    </message>
</context>
<context>
    <name>RecordingAutoSave</name>
    <message>
        <location filename="../src/core/recording/RecordingAutoSave.cpp" line="+33"/>
        <source>磁盘空间不足，自动保存触发录波文件失败！</source>
        <translation>Not enough disk space; the trigger recording could not be saved automatically!</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>提示：当前选择路径剩余存储空间为%1GB</source>
        <translation>Note: the chosen folder has %1 GB free</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>提示：为保证自动存储文件正确，请选择存储空间足够大的路径。</source>
        <translation>Note: choose a folder with enough free space so that the recordings can be saved automatically.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>选取连续触发时，文件的保存路径</source>
        <translation>Choose the folder for the recordings of continuous triggering</translation>
    </message>
</context>
<context>
    <name>SetpointUnits</name>
    <message>
        <location filename="../src/core/operation/SetpointUnits.cpp" line="+14"/>
        <source>频率给定(Hz)</source>
        <translation>Frequency setpoint (Hz)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>频率给定(%)</source>
        <translation>Frequency setpoint (%)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>转速给定(r/min)</source>
        <translation>Speed setpoint (r/min)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>转速给定(%)</source>
        <translation>Speed setpoint (%)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>实际频率(Hz)</source>
        <translation>Actual frequency (Hz)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>实际频率(%)</source>
        <translation>Actual frequency (%)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>实际转速(r/min)</source>
        <translation>Actual speed (r/min)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>实际转速(%)</source>
        <translation>Actual speed (%)</translation>
    </message>
</context>
<context>
    <name>SpecialOptions</name>
    <message>
        <location filename="../src/core/editing/SpecialOptions.cpp" line="+34"/>
        <source>不保存</source>
        <translation>Do not save</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>不恢复</source>
        <translation>Do not restore</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>开始恢复</source>
        <translation>Start restoring</translation>
    </message>
    <message>
        <location line="+9"/>
        <location line="+49"/>
        <source>参数菜单</source>
        <translation>Parameter menu</translation>
    </message>
    <message>
        <location line="-48"/>
        <location line="+49"/>
        <source>固定设置</source>
        <translation>Fixed settings</translation>
    </message>
    <message>
        <location line="-48"/>
        <location line="+49"/>
        <source>快速调试</source>
        <translation>Quick commissioning</translation>
    </message>
    <message>
        <location line="-48"/>
        <source>驱动设置</source>
        <translation>Drive settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+48"/>
        <source>功率部分定义</source>
        <translation>Power section definition</translation>
    </message>
    <message>
        <location line="-46"/>
        <source>v/f控制</source>
        <translation>V/f control</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>纺织应用的v/f控制</source>
        <translation>V/f control for textile applications</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>频率控制(不带码盘)</source>
        <translation>Frequency control (without encoder)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>速度控制(带码盘)</source>
        <translation>Speed control (with encoder)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>转矩控制</source>
        <translation>Torque control</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+27"/>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <location line="-26"/>
        <source>自动参数设置</source>
        <translation>Automatic parameter setting</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>静止测量</source>
        <translation>Standstill measurement</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>完全电机辨识</source>
        <translation>Complete motor identification</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>旋转测量</source>
        <translation>Rotating measurement</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>转动惯量测量</source>
        <translation>Moment of inertia measurement</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>无测速机</source>
        <translation>No tachometer</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>带编码器</source>
        <translation>With encoder</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>交流输入</source>
        <translation>AC input</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>直流输入</source>
        <translation>DC input</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>带回馈单元</source>
        <translation>With regenerative unit</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>关闭</source>
        <translation>Off</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>投入</source>
        <translation>On</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>小键盘</source>
        <translation>Keypad</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>模拟量输入和端子排</source>
        <translation>Analog input and terminal strip</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>固定设定值和端子排</source>
        <translation>Fixed setpoints and terminal strip</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>电动电位计和端子排</source>
        <translation>Motorized potentiometer and terminal strip</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>USS通讯</source>
        <translation>USS communication</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Profibus DP通讯</source>
        <translation>DP fieldbus communication</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>主机</source>
        <translation>Master</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从机</source>
        <translation>Slave</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>自由协议</source>
        <translation>Free protocol</translation>
    </message>
    <message>
        <location line="+48"/>
        <source>请先释放控制权，再进行恢复出厂设置操作！</source>
        <translation>Release the control first, then restore the factory settings!</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <location filename="../src/core/shell/StatusTexts.cpp" line="+7"/>
        <source>窗口未打开，请双击左侧树菜单</source>
        <translation>No window open: double-click an entry in the tree on the left</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>未打开工程：请在菜单栏打开工程</source>
        <translation>No project open: open a project from the menu bar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>未打开窗口：请双击左侧树菜单</source>
        <translation>No window open: double-click an entry in the tree on the left</translation>
    </message>
</context>
<context>
    <name>ThreeWayCompare</name>
    <message>
        <location filename="../src/core/files/ThreeWayCompare.cpp" line="+31"/>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>出厂值</source>
        <translation>Factory value</translation>
    </message>
</context>
<context>
    <name>TricfgFile</name>
    <message>
        <location filename="../src/core/recording/TricfgFile.cpp" line="+146"/>
        <source>读取配置文件%1发生错误，加载失败！
由于软件更新，旧版本保存的配置文件将无法加载！</source>
        <translation>The configuration file %1 could not be read; it was not loaded!
Configuration files saved by older versions of the program cannot be loaded.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>配置文件所属的设备类型与当前工程不符，加载失败！</source>
        <translation>The configuration file belongs to another device type than the current project; it was not loaded!</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>配置文件保存成功，文件路径：
</source>
        <translation>The configuration file was saved to:
</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>配置文件保存失败！</source>
        <translation>The configuration file could not be saved!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>请选择配置文件路径，保存配置文件失败！</source>
        <translation>Please choose where to save the configuration file; it was not saved!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>文件保存失败！</source>
        <translation>The file could not be saved!</translation>
    </message>
</context>
<context>
    <name>TriggerDataFile</name>
    <message>
        <location filename="../src/core/recording/TriggerDataFile.cpp" line="+89"/>
        <source>文件格式不符！</source>
        <translation>The file format is not valid!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>数据文件打开失败！</source>
        <translation>The data file could not be opened!</translation>
    </message>
</context>
<context>
    <name>TriggerRecorder</name>
    <message>
        <location filename="../src/core/recording/TriggerRecorder.cpp" line="+21"/>
        <source>您当前没有连接设备，请连接设备后重新尝试！</source>
        <translation>No device is connected. Please connect to a device and try again.</translation>
    </message>
</context>
<context>
    <name>TriggerRecorderWindow</name>
    <message>
        <location filename="../src/app/recording/TriggerRecorderWindow.cpp" line="+26"/>
        <source>当前缓冲没有数据！</source>
        <translation>The buffer holds no data.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>空闲</source>
        <translation>Idle</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>正在设置</source>
        <translation>Setting up</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>等待触发</source>
        <translation>Waiting for trigger</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>正在接收数据</source>
        <translation>Receiving data</translation>
    </message>
</context>
<context>
    <name>TriggerRecording</name>
    <message>
        <location filename="../src/core/recording/TriggerRecording.cpp" line="+91"/>
        <source>故障触发</source>
        <translation>Fault trigger</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>立即启动</source>
        <translation>Start immediately</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>触发时间</source>
        <translation>Trigger time</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>触发条件</source>
        <translation>Trigger condition</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>采样周期</source>
        <translation>Sampling period</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>预触发</source>
        <translation>Pre-trigger</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>参考值</source>
        <translation>Reference value</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>通道%1</source>
        <translation>Channel %1</translation>
    </message>
</context>
<context>
    <name>TriggerSettings</name>
    <message>
        <location filename="../src/core/recording/TriggerSettings.cpp" line="+121"/>
        <source>通道设置不能为空，请您至少激活一条通道！</source>
        <translation>No channel is set. Please activate at least one channel.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>采样周期不能为空！</source>
        <translation>The sampling period must not be empty!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>采样周期超过范围1~99，请重新设置！</source>
        <translation>The sampling period is outside 1 to 99. Please set it again.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>预触发设置不能为空！</source>
        <translation>The pre-trigger must not be empty!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>预触发设置超过范围0~100，请重新设置！</source>
        <translation>The pre-trigger is outside 0 to 100. Please set it again.</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+101"/>
        <source>您必须在条件1、条件2和故障触发中选择一种作为触发条件！</source>
        <translation>Choose condition 1, condition 2 or the fault trigger as the trigger condition!</translation>
    </message>
    <message>
        <location line="-98"/>
        <source>触发条件设置中，条件1的触发参数不能为空！</source>
        <translation>Trigger condition: the parameter of condition 1 must not be empty!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>触发条件设置中，条件1的Bit位选择参数不能为空！</source>
        <translation>Trigger condition: the bit of condition 1 must not be empty!</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+80"/>
        <source>触发条件设置中，条件1的触发条件不能为空！</source>
        <translation>Trigger condition: the comparison of condition 1 must not be empty!</translation>
    </message>
    <message>
        <location line="-77"/>
        <source>触发条件设置中，条件1的触发值不能为空！</source>
        <translation>Trigger condition: the value of condition 1 must not be empty!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>触发条件设置中，条件1的Bit位超过范围0~15，请重新设置！</source>
        <translation>Trigger condition: the bit of condition 1 is outside 0 to 15. Please set it again.</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+56"/>
        <source>触发条件设置中，Bit位的触发值只能为0或1，请重新设置！</source>
        <translation>Trigger condition: the value of a bit can only be 0 or 1. Please set it again.</translation>
    </message>
    <message>
        <location line="-52"/>
        <location line="+60"/>
        <source>触发条件设置中，条件1的触发值超过范围-200~199.996，请重新设置！</source>
        <translation>Trigger condition: the value of condition 1 is outside -200 to 199.996. Please set it again.</translation>
    </message>
    <message>
        <location line="-54"/>
        <source>触发条件设置中，条件2的触发参数不能为空！</source>
        <translation>Trigger condition: the parameter of condition 2 must not be empty!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>触发条件设置中，条件2的触发值不能为空！</source>
        <translation>Trigger condition: the value of condition 2 must not be empty!</translation>
    </message>
    <message>
        <location line="+64"/>
        <source>当前工程没有故障指示参数（9106），无法使用故障触发，触发启动失败！</source>
        <translation>The current project has no fault indicator parameter (9106), so the fault trigger cannot be used; the recording was not started!</translation>
    </message>
</context>
<context>
    <name>TriggerSettingsDraft</name>
    <message>
        <location filename="../src/core/recording/TriggerSettingsDraft.cpp" line="+54"/>
        <source>通道%1的参数“%2”在当前工程中不存在，请重新设置！</source>
        <translation>The parameter &quot;%2&quot; of channel %1 does not exist in the current project. Please set it again.</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>条件1的触发参数“%1”在当前工程中不存在，请重新设置！</source>
        <translation>The parameter &quot;%1&quot; of trigger condition 1 does not exist in the current project. Please set it again.</translation>
    </message>
</context>
<context>
    <name>TypedValue</name>
    <message>
        <location filename="../src/core/model/TypedValue.cpp" line="+22"/>
        <source>数据转换出错，请联系开发人员！</source>
        <translation>The value could not be converted. Please contact the developers!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>数据格式不符合要求！</source>
        <translation>The value has an invalid format!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>数据不在范围内！</source>
        <translation>The value is out of range!</translation>
    </message>
</context>
<context>
    <name>UserMessage</name>
    <message>
        <location filename="../src/core/model/UserMessage.h" line="+21"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>信息</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>WidgetPrompt</name>
    <message>
        <location filename="../src/app/dialogs/WidgetPrompt.cpp" line="+42"/>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>WizardTexts</name>
    <message>
        <location filename="../src/core/creation/WizardTexts.h" line="+28"/>
        <source>将创建的工程：设备类型 %1，设备版本 %2</source>
        <translation>Project to create: device type %1, device version %2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>工程创建成功：
%1</source>
        <translation>The project was created:
%1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>选取工程存放的目录</source>
        <translation>Choose the folder to store the project in</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>(最长12位字符，仅允许字母/下划线/数字)</source>
        <translation>(at most 12 characters: letters, underscores and digits only)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>项目文件(*.monitorary)</source>
        <translation>Project files (*.monitorary)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>转换文件(*.xlsx)</source>
        <translation>Conversion files (*.xlsx)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ubase文件(*.xlsx)</source>
        <translation>Ubase files (*.xlsx)</translation>
    </message>
</context>
<context>
    <name>hesk::app::AddDeviceDialog</name>
    <message>
        <location filename="../src/app/dialogs/AddDeviceDialog.cpp" line="+19"/>
        <source>添加设备</source>
        <translation>Add device</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>设备类型：</source>
        <translation>Device type:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设备版本：</source>
        <translation>Device version:</translation>
    </message>
</context>
<context>
    <name>hesk::app::AxisRangeDialog</name>
    <message>
        <location filename="../src/app/charts/AxisRangeDialog.cpp" line="+17"/>
        <source>修改坐标轴范围</source>
        <translation>Change axis ranges</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>X轴最小值</source>
        <translation>X axis minimum</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>X轴最大值</source>
        <translation>X axis maximum</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Y轴最小值</source>
        <translation>Y axis minimum</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Y轴最大值</source>
        <translation>Y axis maximum</translation>
    </message>
</context>
<context>
    <name>hesk::app::BicoPane</name>
    <message>
        <location filename="../src/app/frame/BicoPane.cpp" line="+101"/>
        <source>参数号、信号源或名称，如 K0091、P0222</source>
        <translation>Parameter number, signal source or name, e.g. K0091, P0222</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>任意列</source>
        <translation>Any column</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>按输入参数</source>
        <translation>By input parameter</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>按信号源</source>
        <translation>By signal source</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>读取</source>
        <translation>Read</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>从下位机读取全部连接输入的信号源</source>
        <translation>Read the signal sources of all connector inputs from the drive</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>查找：</source>
        <translation>Find:</translation>
    </message>
    <message>
        <location line="+83"/>
        <source>未打开工程</source>
        <translation>No project open</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>共 %1 个连接输入，显示 %2 个；%3</source>
        <translation>%1 connector inputs, %2 shown; %3</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>在线：下位机的连线（未读取的为空）</source>
        <translation>online: the drive&apos;s wiring (empty where not read yet)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>离线：离线值或出厂值</source>
        <translation>offline: offline values or factory values</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <location line="+14"/>
        <source>读取未完成：请求数据超时</source>
        <translation>Read not complete: the request timed out</translation>
    </message>
</context>
<context>
    <name>hesk::app::BicoTableModel</name>
    <message>
        <location line="-197"/>
        <source>输入参数</source>
        <translation>Input parameter</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>信号源</source>
        <translation>Signal source</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>信号源名称</source>
        <translation>Signal source name</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>工程中没有此信号源</source>
        <translation>This signal source is not in the project</translation>
    </message>
</context>
<context>
    <name>hesk::app::BitWordEditorDialog</name>
    <message>
        <location filename="../src/app/editors/BitWordEditorDialog.cpp" line="+22"/>
        <source>修改参数值 </source>
        <translation>Change parameter value </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>比特位：值</source>
        <translation>Bit: value</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>比特位含义</source>
        <translation>Bit meaning</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>hesk::app::ChartView</name>
    <message>
        <location filename="../src/app/charts/ChartView.cpp" line="+56"/>
        <source>时间轴（ms）</source>
        <translation>Time (ms)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>模拟量轴（%）</source>
        <translation>Analog value (%)</translation>
    </message>
</context>
<context>
    <name>hesk::app::CodeSearchDialog</name>
    <message>
        <location filename="../src/app/pages/CodeSearchDialog.cpp" line="+15"/>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>关键字：</source>
        <translation>Keyword:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>向上</source>
        <translation>Up</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>向下</source>
        <translation>Down</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>查找下一个</source>
        <translation>Find next</translation>
    </message>
</context>
<context>
    <name>hesk::app::CompareExportDialog</name>
    <message>
        <location filename="../src/app/dialogs/FileCompareDialog.cpp" line="+199"/>
        <source>导出文件</source>
        <translation>Export files</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>全部参数</source>
        <translation>All parameters</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>相同参数</source>
        <translation>Equal parameters</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>不同参数</source>
        <translation>Different parameters</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>文件保存路径</source>
        <translation>Save to folder</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>请选择路径: </source>
        <translation>Choose a folder: </translation>
    </message>
</context>
<context>
    <name>hesk::app::ConnectionEditorDialog</name>
    <message>
        <location filename="../src/app/editors/ConnectionEditorDialog.cpp" line="+23"/>
        <source>修改参数连线</source>
        <translation>Change parameter wiring</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>参数号：</source>
        <translation>Parameter number:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>双击对应行，选择参数！</source>
        <translation>Double-click a row to choose the parameter.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>连线值</source>
        <translation>Wiring value</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>注释</source>
        <translation>Comment</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>修改连线，双击对应行修改！</source>
        <translation>To change the wiring, double-click its row.</translation>
    </message>
</context>
<context>
    <name>hesk::app::ControlPanelPane</name>
    <message>
        <location filename="../src/app/operation/ControlPanelPane.cpp" line="+64"/>
        <source>电机控制</source>
        <translation>Motor control</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+179"/>
        <source>启动电机</source>
        <translation>Start motor</translation>
    </message>
    <message>
        <location line="-174"/>
        <source>停止电机</source>
        <translation>Stop motor</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>故障复位</source>
        <translation>Reset faults</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>运行状态：</source>
        <translation>Operating state:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>设备状态：</source>
        <translation>Device status:</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>状态字</source>
        <translation>Status word</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>给定与实际值</source>
        <translation>Setpoint and actual values</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>单击输入给定值</source>
        <translation>Click to enter the setpoint</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>实际电流(A)</source>
        <translation>Actual current (A)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>直流电压(V)</source>
        <translation>DC link voltage (V)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>实际转矩(%)</source>
        <translation>Actual torque (%)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>数据组</source>
        <translation>Data sets</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>自由显示</source>
        <translation>Free display</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>参数号</source>
        <translation>Parameter number</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>单击选择要显示的参数</source>
        <translation>Click to choose the parameter to show</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>自动释放控制权</source>
        <translation>Release control automatically</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>软件不在最前时，会自动停机并释放控制权。如要临时取消此功能，可在获取控制权后，取消勾选。</source>
        <translation>When the program is not in front, it stops the motor and releases control. To switch this off for a while, clear the box after taking control.</translation>
    </message>
    <message>
        <location line="+69"/>
        <source>正在启动电机...</source>
        <translation>Starting the motor...</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>参数%1不存在！</source>
        <translation>Parameter %1 does not exist.</translation>
    </message>
</context>
<context>
    <name>hesk::app::DeviceSearchDialog</name>
    <message>
        <location filename="../src/app/dialogs/DeviceSearchDialog.cpp" line="+21"/>
        <source>搜索设备</source>
        <translation>Search devices</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>已知设备</source>
        <translation>Known devices</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>hesk::app::DownloadCommand</name>
    <message>
        <location filename="../src/app/DownloadCommand.cpp" line="+43"/>
        <source>参数下载</source>
        <translation>Download parameters</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>正在解析dnl文件...</source>
        <translation>Reading the DNL file...</translation>
    </message>
</context>
<context>
    <name>hesk::app::FaultAlarmPane</name>
    <message>
        <location filename="../src/app/frame/FaultAlarmPane.cpp" line="+28"/>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>故障复位</source>
        <translation>Reset faults</translation>
    </message>
</context>
<context>
    <name>hesk::app::FaultWaveformPane</name>
    <message>
        <location filename="../src/app/recording/FaultWaveformPane.cpp" line="+31"/>
        <location line="+60"/>
        <source>上传故障数据</source>
        <translation>Upload fault data</translation>
    </message>
    <message>
        <location line="-59"/>
        <source>导入数据</source>
        <translation>Import data</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+130"/>
        <source>导出数据</source>
        <translation>Export data</translation>
    </message>
    <message>
        <location line="-129"/>
        <location line="+155"/>
        <source>保存图片</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <location line="-154"/>
        <source>显示波形</source>
        <translation>Show waveforms</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>故障列表</source>
        <translation>Fault list</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>故障码含义</source>
        <translation>Fault code meaning</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>故障波形</source>
        <translation>Fault waveform</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>采样点</source>
        <translation>Sample</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>上传驱动板故障录波</source>
        <translation>Upload drive board fault recording</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>等待设备回复...</source>
        <translation>Waiting for the device to reply...</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>打开故障数据文件</source>
        <translation>Open fault data file</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>根据文件中的设备类型和版本打开对应工程失败！</source>
        <translation>The project for the device type and version in the file could not be opened.</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>文件保存失败！</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>请选择文件！</source>
        <translation>Choose a file.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>图片保存失败！</source>
        <translation>The picture could not be saved.</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>（故障字中没有置位的故障）</source>
        <translation>(no fault bit set in the fault word)</translation>
    </message>
</context>
<context>
    <name>hesk::app::FileCompareDialog</name>
    <message>
        <location filename="../src/app/dialogs/FileCompareDialog.cpp" line="-178"/>
        <source>文件比较</source>
        <translation>Compare files</translation>
    </message>
    <message>
        <location line="+22"/>
        <location line="+79"/>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="-73"/>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>相同</source>
        <translation>Equal</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>不同</source>
        <translation>Different</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>执行中...</source>
        <translation>Running...</translation>
    </message>
</context>
<context>
    <name>hesk::app::FreeDisplayDialog</name>
    <message>
        <location filename="../src/app/operation/FreeDisplayDialog.cpp" line="+18"/>
        <source>自由显示</source>
        <translation>Free display</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>参数号：</source>
        <translation>Parameter number:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>参数号</source>
        <translation>Parameter number</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>注释</source>
        <translation>Comment</translation>
    </message>
</context>
<context>
    <name>hesk::app::InterfaceSettingsDialog</name>
    <message>
        <location filename="../src/app/dialogs/InterfaceSettingsDialog.cpp" line="+24"/>
        <source>接口设置</source>
        <translation>Interface settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>选择需要的通信接口</source>
        <translation>Choose the communication interface</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>串口通信模式 (232)</source>
        <translation>Serial port (RS-232)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>网口(PCIe GBE Family controller)</source>
        <translation>Ethernet (PCIe GBE Family controller)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>详细设定</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>hesk::app::JournalPane</name>
    <message>
        <location filename="../src/app/frame/JournalPane.cpp" line="+18"/>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>原值</source>
        <translation>Old value</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>新值</source>
        <translation>New value</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>方式</source>
        <translation>Mode</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>把选中的修改之前的值写回设备</source>
        <translation>Write the values from before the selected changes back to the device</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>导出CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>在线</source>
        <translation>Online</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>离线</source>
        <translation>Offline</translation>
    </message>
    <message>
        <location line="+44"/>
        <source>导出修改记录</source>
        <translation>Export change log</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>修改记录.csv</source>
        <translation>change-log.csv</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>CSV文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>修改记录已导出至：</source>
        <translation>Change log exported to: </translation>
    </message>
</context>
<context>
    <name>hesk::app::LogPane</name>
    <message>
        <location filename="../src/app/frame/LogPane.cpp" line="+81"/>
        <source>复制	Ctrl+C</source>
        <translation>Copy	Ctrl+C</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>清空	Ctrl+Delete</source>
        <translation>Clear	Ctrl+Delete</translation>
    </message>
</context>
<context>
    <name>hesk::app::MainMenus</name>
    <message>
        <location filename="../src/app/frame/MainMenus.cpp" line="+27"/>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>调试(&amp;D)</source>
        <translation>&amp;Debug</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>参数(&amp;P)</source>
        <translation>&amp;Parameters</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>录波(&amp;R)</source>
        <translation>&amp;Recording</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>设置(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>关于HESKMonitor(&amp;A)...</source>
        <translation>&amp;About HESKMonitor...</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>应用程序外观</source>
        <translation>Application style</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>界面语言</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>跟随系统</source>
        <translation>Follow the system</translation>
    </message>
</context>
<context>
    <name>hesk::app::MainWindow</name>
    <message>
        <location filename="../src/app/MainWindow.cpp" line="+137"/>
        <source>项目</source>
        <translation>Project</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>日志</source>
        <translation>Log</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>故障报警</source>
        <translation>Faults and alarms</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>故障波形控制面板</source>
        <translation>Fault waveform panel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>此处将提供故障波形的上传、打开和保存。
</source>
        <translation>Uploading, opening and saving fault waveforms will be offered here.
</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>控制面板</source>
        <translation>Control panel</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>BICO连线</source>
        <translation>BICO wiring</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>修改记录</source>
        <translation>Change log</translation>
    </message>
    <message>
        <location line="+154"/>
        <source>关于HESKMonitor</source>
        <translation>About HESKMonitor</translation>
    </message>
</context>
<context>
    <name>hesk::app::ParameterFileCommands</name>
    <message>
        <location filename="../src/app/ParameterFileCommands.cpp" line="+59"/>
        <source>正在导入dnl文件信息</source>
        <translation>Importing the DNL file</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>导入DNL信息</source>
        <translation>Import DNL</translation>
    </message>
</context>
<context>
    <name>hesk::app::ParameterNumberDialog</name>
    <message>
        <location filename="../src/app/pages/ParameterNumberDialog.cpp" line="+13"/>
        <source>自由参数</source>
        <translation>Free parameter</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>请输入要插入的参数号</source>
        <translation>Enter the number of the parameter to insert</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>参数号：</source>
        <translation>Parameter number:</translation>
    </message>
</context>
<context>
    <name>hesk::app::ParameterPageModel</name>
    <message>
        <location filename="../src/app/pages/ParameterPageModel.cpp" line="+76"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>更新数据失败!</source>
        <translation>Updating the data failed.</translation>
    </message>
</context>
<context>
    <name>hesk::app::ParameterPageWindow</name>
    <message>
        <location filename="../src/app/pages/ParameterPageWindow.cpp" line="+53"/>
        <source>仅显示与出厂值不同</source>
        <translation>Only show values that differ from the factory value</translation>
    </message>
    <message>
        <location line="+217"/>
        <source>插入参数</source>
        <translation>Insert parameter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>删除参数</source>
        <translation>Delete parameter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>变更参数</source>
        <translation>Change parameter</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>另存为参数文件(.fpm)</source>
        <translation>Save as parameter file (.fpm)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>加载参数文件(.fpm)</source>
        <translation>Load parameter file (.fpm)</translation>
    </message>
</context>
<context>
    <name>hesk::app::ParameterPageWindows</name>
    <message>
        <location filename="../src/app/pages/ParameterPageWindows.cpp" line="+136"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>该设备不支持功能码查找！</source>
        <translation>This device does not support finding parameters.</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>没有找到！</source>
        <translation>Not found.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>系统内部错误，请联系开发人员！</source>
        <translation>Internal error. Please contact the developers.</translation>
    </message>
</context>
<context>
    <name>hesk::app::PortSettingsDialog</name>
    <message>
        <location filename="../src/app/dialogs/PortSettingsDialog.cpp" line="+19"/>
        <source>端口设定</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>通讯端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
</context>
<context>
    <name>hesk::app::ProjectCreationDialog</name>
    <message>
        <location filename="../src/app/dialogs/ProjectCreationDialog.cpp" line="+51"/>
        <source>创建工程</source>
        <translation>Create project</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>设备类型：</source>
        <translation>Device type:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设备版本：</source>
        <translation>Device version:</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>项目名称：</source>
        <translation>Project name:</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>中间文件：</source>
        <translation>Intermediate file:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>转换文件：</source>
        <translation>Conversion file:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ubase文件：</source>
        <translation>Ubase file:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>存储路径：</source>
        <translation>Save to:</translation>
    </message>
    <message>
        <location line="+24"/>
        <location line="+165"/>
        <source>正在创建工程...</source>
        <translation>Creating the project...</translation>
    </message>
    <message>
        <location line="-155"/>
        <source>上一步</source>
        <translation>Back</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>下一步</source>
        <translation>Next</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>完成</source>
        <translation>Finish</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+82"/>
        <source>打开中间文件</source>
        <translation>Open intermediate file</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>正在加载中间文件...</source>
        <translation>Loading the intermediate file...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>打开转换文件</source>
        <translation>Open conversion file</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>正在读取转换文件...</source>
        <translation>Reading the conversion file...</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>打开Ubase文件</source>
        <translation>Open Ubase file</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>正在读取Ubase文件...</source>
        <translation>Reading the Ubase file...</translation>
    </message>
</context>
<context>
    <name>hesk::app::QuickSetupDialog</name>
    <message>
        <location filename="../src/app/QuickSetupDialog.cpp" line="+39"/>
        <location line="+341"/>
        <source>快速调试</source>
        <translation>Quick setup</translation>
    </message>
    <message>
        <location line="-278"/>
        <source>参数号</source>
        <translation>Parameter number</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>参数名</source>
        <translation>Parameter name</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>开 始 恢 复</source>
        <translation>Start restore</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>复位方式：</source>
        <translation>Restore mode:</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>自动设置参数</source>
        <translation>Set parameters automatically</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>启动辨识</source>
        <translation>Start identification</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>故障复位</source>
        <translation>Reset faults</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>双击参数行可修改参数值。</source>
        <translation>Double-click a parameter row to change its value.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>上一步</source>
        <translation>Back</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>下一步</source>
        <translation>Next</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>返回首页</source>
        <translation>First page</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>跳至尾页</source>
        <translation>Last page</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>设置完成</source>
        <translation>Finish setup</translation>
    </message>
    <message>
        <location line="+88"/>
        <source>离线：显示离线参数值。</source>
        <translation>Offline: showing the offline values.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>读取参数失败：请求数据超时，显示的是上次读到的值。</source>
        <translation>Reading the parameters failed: the request timed out. The values shown are the last ones read.</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>产品类型</source>
        <translation>Product type</translation>
    </message>
    <message>
        <location line="+84"/>
        <source>您的离线信息有修改,是否要保存到dnl文件？</source>
        <translation>Your offline values have changed. Save them to the DNL file?</translation>
    </message>
</context>
<context>
    <name>hesk::app::RestoreCommand</name>
    <message>
        <location filename="../src/app/RestoreCommand.cpp" line="+39"/>
        <source>恢复出厂设置</source>
        <translation>Restore factory settings</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>正在恢复出厂设置</source>
        <translation>Restoring factory settings</translation>
    </message>
</context>
<context>
    <name>hesk::app::SpecialValueEditorDialog</name>
    <message>
        <location filename="../src/app/editors/SpecialValueEditorDialog.cpp" line="+22"/>
        <source>修改参数值 </source>
        <translation>Change parameter value </translation>
    </message>
</context>
<context>
    <name>hesk::app::StatusPanes</name>
    <message>
        <location filename="../src/app/frame/StatusPanes.cpp" line="+14"/>
        <source>在线</source>
        <translation>Online</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>程序状态:未知</source>
        <translation>Program state: unknown</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>CPU使用率: 未知</source>
        <translation>CPU usage: unknown</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>      故障</source>
        <translation>      Fault</translation>
    </message>
</context>
<context>
    <name>hesk::app::ThreeWayCompareDialog</name>
    <message>
        <location filename="../src/app/dialogs/ThreeWayCompareDialog.cpp" line="+25"/>
        <source>三方比较（设备/文件/出厂值）</source>
        <translation>Three-way comparison (device/file/factory value)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>请选择要与设备比较的dnl文件</source>
        <translation>Choose the DNL file to compare with the device</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>开始比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>相同</source>
        <translation>Equal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>不同</source>
        <translation>Different</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>主参</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>辅参</source>
        <translation>Index</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>参数名称</source>
        <translation>Parameter name</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>不同的一方</source>
        <translation>Differs in</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>文件：</source>
        <translation>File:</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>打开DNL文件</source>
        <translation>Open DNL file</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>请先选择要与设备比较的dnl文件！</source>
        <translation>First choose the DNL file to compare with the device.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>无法建立临时文件夹，不能上传设备的参数！</source>
        <translation>No temporary folder could be created; the device&apos;s parameters cannot be uploaded.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>正在上传设备的参数...</source>
        <translation>Uploading the device&apos;s parameters...</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>参数上传没有开始</source>
        <translation>The parameter upload did not start</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>参数上传失败，没有比较</source>
        <translation>The parameter upload failed; nothing was compared</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>设备的参数无法读取，没有比较</source>
        <translation>The device&apos;s parameters could not be read; nothing was compared</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>共%1行：相同%2行，不同%3行；显示%4行</source>
        <translation>%1 rows: %2 equal, %3 different; %4 shown</translation>
    </message>
</context>
<context>
    <name>hesk::app::TriggerRecorderWindow</name>
    <message>
        <location filename="../src/app/recording/TriggerRecorderWindow.cpp" line="+10"/>
        <source>触发录波</source>
        <translation>Trigger recorder</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>通道设置</source>
        <translation>Channel settings</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>立即启动</source>
        <translation>Start now</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>触发启动</source>
        <translation>Start on trigger</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+105"/>
        <source>导入数据</source>
        <translation>Import data</translation>
    </message>
    <message>
        <location line="-104"/>
        <location line="+126"/>
        <source>导出数据</source>
        <translation>Export data</translation>
    </message>
    <message>
        <location line="-125"/>
        <location line="+150"/>
        <source>保存图片</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <location line="-149"/>
        <location line="+170"/>
        <source>记录信息</source>
        <translation>Recording information</translation>
    </message>
    <message>
        <location line="-126"/>
        <source>已自动保存：</source>
        <translation>Saved automatically: </translation>
    </message>
    <message>
        <location line="+41"/>
        <source>录波完成：</source>
        <translation>Recording complete: </translation>
    </message>
    <message>
        <location line="+44"/>
        <source>请选择导出文件路径，导出数据任务失败！</source>
        <translation>No file was chosen; the data were not exported.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>文件保存失败！</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>数据已导出：</source>
        <translation>Data exported: </translation>
    </message>
    <message>
        <location line="+19"/>
        <source>图片保存失败！</source>
        <translation>The picture could not be saved.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>当前缓冲没有数据，无记录信息！</source>
        <translation>The buffer holds no data, so there is no recording information.</translation>
    </message>
</context>
<context>
    <name>hesk::app::TriggerSettingsDialog</name>
    <message>
        <location filename="../src/app/recording/TriggerSettingsDialog.cpp" line="+31"/>
        <source>触发设置</source>
        <translation>Trigger settings</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>通道设置</source>
        <translation>Channel settings</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>通道%1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>数据设置</source>
        <translation>Data settings</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>采样周期</source>
        <translation>Sampling period</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>预触发</source>
        <translation>Pre-trigger</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>触发条件</source>
        <translation>Trigger condition</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>条件1</source>
        <translation>Condition 1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>条件2</source>
        <translation>Condition 2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>故障触发</source>
        <translation>Trigger on fault</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Bit位</source>
        <translation>Bit</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>触发值(%)</source>
        <translation>Trigger value (%)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>启动方式</source>
        <translation>Start mode</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>单次触发</source>
        <translation>Single trigger</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>连续触发</source>
        <translation>Continuous trigger</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>连续触发保存路径</source>
        <translation>Save folder for continuous triggering</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+129"/>
        <source>保存配置文件</source>
        <translation>Save configuration file</translation>
    </message>
    <message>
        <location line="-128"/>
        <source>加载配置文件</source>
        <translation>Load configuration file</translation>
    </message>
    <message>
        <location line="+96"/>
        <location line="+8"/>
        <source>选择参数</source>
        <translation>Select parameter</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>选择配置文件</source>
        <translation>Choose configuration file</translation>
    </message>
</context>
<context>
    <name>hesk::app::UploadCommand</name>
    <message>
        <location filename="../src/app/UploadCommand.cpp" line="+61"/>
        <source>参数上传</source>
        <translation>Upload parameters</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>等待下位机上传参数...</source>
        <translation>Waiting for the drive to upload the parameters...</translation>
    </message>
</context>
<context>
    <name>hesk::app::ValueEditing</name>
    <message>
        <location filename="../src/app/editors/ValueEditing.cpp" line="+54"/>
        <location line="+35"/>
        <source>请求数据超时，请您重新尝试！</source>
        <translation>The request timed out. Please try again.</translation>
    </message>
</context>
<context>
    <name>hesk::app::ValueEditorDialog</name>
    <message>
        <location filename="../src/app/editors/ValueEditorDialog.cpp" line="+22"/>
        <source>修改参数值</source>
        <translation>Change parameter value</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>参数值</source>
        <translation>Parameter value</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>参数范围：</source>
        <translation>Range:</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>小提示</source>
        <translation>Tips</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>二进制数只允许输入“0”或“1”</source>
        <translation>Binary numbers: only &quot;0&quot; or &quot;1&quot;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>十进制数只允许输入“0”~“9”、“.”或“-”</source>
        <translation>Decimal numbers: only &quot;0&quot; to &quot;9&quot;, &quot;.&quot; or &quot;-&quot;</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>十六进制数“0x”或“0X”后只允许输入“0~9”、“a~f”或“A~F”</source>
        <translation>Hexadecimal numbers: after &quot;0x&quot; or &quot;0X&quot; only &quot;0-9&quot;, &quot;a-f&quot; or &quot;A-F&quot;</translation>
    </message>
</context>
<context>
    <name>hesk::app::WaveformPanel</name>
    <message>
        <location filename="../src/app/charts/WaveformPanel.cpp" line="+64"/>
        <source>显示</source>
        <translation>Show</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>bit位</source>
        <translation>Bit</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>XY游标</source>
        <translation>XY cursors</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+5"/>
        <source>游标锁定</source>
        <translation>Lock cursors</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>解除锁定</source>
        <translation>Unlock</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>坐标范围</source>
        <translation>Axis ranges</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Y轴范围</source>
        <translation>Y range</translation>
    </message>
    <message>
        <location line="+66"/>
        <source>通道%1无数据信号</source>
        <translation>Channel %1: no data signal</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>通道%1</source>
        <translation>Channel %1</translation>
    </message>
</context>
<context>
    <name>hesk::files::CompareRowModel</name>
    <message>
        <location filename="../src/core/files/CompareRowModel.cpp" line="+79"/>
        <source>主参</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>辅参</source>
        <translation>Index</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>参数名称</source>
        <translation>Parameter name</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>注释</source>
        <translation>Comment</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>基准文件</source>
        <translation>Base file</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>比对文件</source>
        <translation>Compared file</translation>
    </message>
</context>
<context>
    <name>hesk::files::ParameterDownload</name>
    <message>
        <location filename="../src/core/files/ParameterDownload.cpp" line="+33"/>
        <source>参数下载只能通过串口进行，以太网连接不支持参数下载！</source>
        <translation>Parameters can only be downloaded over the serial line; an Ethernet connection does not support the download!</translation>
    </message>
    <message>
        <location line="+15"/>
        <location line="+250"/>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="-250"/>
        <source>正在进行触发录波，不允许参数下载！</source>
        <translation>A trigger recording is in progress; parameters cannot be downloaded now!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>请先释放控制权，再进行参数下载！</source>
        <translation>Please release control of the motor before downloading parameters.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>打开DNL文件</source>
        <translation>Open DNL File</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>请您选择要下载的dnl文件，下载操作被终止！</source>
        <translation>No dnl file was chosen; the download was stopped!</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+54"/>
        <source>文件打开失败！</source>
        <translation>The file could not be opened!</translation>
    </message>
    <message>
        <location line="-39"/>
        <source>设备正在运行状态，请将设备调整到待机状态再重新尝试！</source>
        <translation>The device is running; put it into standby and try again.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>进行参数下载前，上位机会先将P60改为5！</source>
        <translation>Before the download, the program sets P60 to 5.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>修改P60=5失败，退出参数下载</source>
        <translation>P60 could not be set to 5; the parameter download was stopped</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>正在解析dnl文件...</source>
        <translation>Reading the dnl file...</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>请求数据超时，请您重新尝试！</source>
        <translation>The request for data timed out. Please try again.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>读取dnl文件失败，结束参数下载</source>
        <translation>The dnl file could not be read; the parameter download was stopped</translation>
    </message>
    <message>
        <location line="+70"/>
        <source>等待下位机下载回复超时,请重新尝试！</source>
        <translation>The drive did not answer the download request in time. Please try again.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>正在下载参数...</source>
        <translation>Downloading parameters...</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+31"/>
        <source>参数下载超时,为确保程序正确请您重新尝试下载！</source>
        <translation>The parameter download timed out. Please download again to make sure the drive has the right parameters.</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>参数下载被取消</source>
        <translation>The parameter download was cancelled</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>通讯已断开，参数下载中止</source>
        <translation>The connection was lost; the parameter download was stopped</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>下载完成后恢复P60=%1失败，请手动恢复！</source>
        <translation>P60 could not be set back to %1 after the download. Please set it back by hand.</translation>
    </message>
</context>
<context>
    <name>hesk::files::ParameterUpload</name>
    <message>
        <location filename="../src/core/files/ParameterUpload.cpp" line="+33"/>
        <location line="+10"/>
        <location line="+7"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="-17"/>
        <source>该设备不支持参数上传功能！</source>
        <translation>This device does not support the parameter upload!</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+194"/>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="-194"/>
        <source>正在进行触发录波，不允许参数上传！</source>
        <translation>A trigger recording is in progress; parameters cannot be uploaded now!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>在装置运行状态下，不允许执行上传参数操作！</source>
        <translation>Parameters cannot be uploaded while the device is running!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>请先释放控制权，再进行参数上传！</source>
        <translation>Please release control of the motor before uploading parameters.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>导出项选择</source>
        <translation>Choose Parameters</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>请选择导出项：
是：自定义参数
否：全部参数</source>
        <translation>Which parameters should be saved?
Yes: the custom parameters
No: all parameters</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>请选择导出dnl文件路径，参数上传任务失败！</source>
        <translation>No place to save the dnl file was chosen; the parameter upload failed!</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>通讯错误代码%1</source>
        <translation>Communication error code %1</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>参数上传已取消</source>
        <translation>The parameter upload was cancelled</translation>
    </message>
    <message>
        <location line="+58"/>
        <source>正在上传参数...</source>
        <translation>Uploading parameters...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>上传参数超时,请重新尝试！</source>
        <translation>The parameter upload timed out. Please try again.</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>正在导出dnl文件...</source>
        <translation>Writing the dnl file...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>建立输出文件失败，请您重新尝试！</source>
        <translation>The output file could not be created. Please try again.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>导出dnl文件成功，文件路径：
</source>
        <translation>The dnl file was exported to:
</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>通讯已断开，参数上传中止</source>
        <translation>The connection was lost; the parameter upload was stopped</translation>
    </message>
</context>
<context>
    <name>hesk::operation::ControlPanel</name>
    <message>
        <location filename="../src/core/operation/ControlPanel.cpp" line="+51"/>
        <source>释放电机控制权</source>
        <translation>Release Motor Control</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>获取电机控制权</source>
        <translation>Take Motor Control</translation>
    </message>
    <message>
        <location line="+80"/>
        <source>在装置运行状态下，不允许获取或者释放电机控制权！</source>
        <translation>Control of the motor cannot be taken or released while the device is running!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>在P60=2/5/8时，不允许获取电机控制权！</source>
        <translation>Control of the motor cannot be taken while P60 is 2, 5 or 8!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>当前控制器版本%1不支持此功能。
该功能仅适用于V1.04.01版本及以上版本控制器！</source>
        <translation>The controller version %1 does not support this function.
It needs controller version V1.04.01 or later.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>离线状态下，不允许获取电机控制权！</source>
        <translation>Control of the motor cannot be taken while offline!</translation>
    </message>
    <message>
        <location line="+10"/>
        <location line="+169"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="-168"/>
        <source>获取控制权后，小键盘将不能进行启停，快停，急停，给定转速等操作，
但允许修改参数值。
是否继续获取电机控制权？</source>
        <translation>While this program holds control, the keypad cannot start, stop, quick stop, emergency stop or set the speed,
but parameter values can still be changed.
Take control of the motor?</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>获取电机控制权失败，请您重新尝试！</source>
        <translation>Control of the motor could not be taken. Please try again.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>已获取设备控制权，但通知设备开始监控心跳失败！</source>
        <translation>Control was taken, but the device could not be told to start watching the heartbeat!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>触发录波启动状态下，通知设备监控心跳操作被取消，如需要请手动释放控制权！</source>
        <translation>A trigger recording is running, so the device was not told to watch the heartbeat. Release control by hand when needed.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>释放电机控制权失败，请您重新尝试！</source>
        <translation>Control of the motor could not be released. Please try again.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>释放电机控制权过程中改转速失败，请您重新尝试！</source>
        <translation>The speed could not be changed while releasing control of the motor. Please try again.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>释放电机控制权过程中停机失败，请您重新尝试！</source>
        <translation>The motor could not be stopped while releasing control. Please try again.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>已释放设备控制权，但通知设备停止监控心跳失败！</source>
        <translation>Control was released, but the device could not be told to stop watching the heartbeat!</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>请您先获取电机控制权，再启动电机！</source>
        <translation>Please take control of the motor before starting it.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>电机已经启动！</source>
        <translation>The motor is already running!</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+28"/>
        <source>电机启动失败，请您重新尝试！</source>
        <translation>The motor could not be started. Please try again.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>请您先获取电机控制权，再停止电机！</source>
        <translation>Please take control of the motor before stopping it.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>电机已经停止！</source>
        <translation>The motor is already stopped!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>电机停止失败，请您重新尝试！</source>
        <translation>The motor could not be stopped. Please try again.</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>故障复位成功！</source>
        <translation>The faults were reset.</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>离线状态下，不允许转速设定！</source>
        <translation>The speed cannot be set while offline!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>没有获取电机控制权，不允许转速设定！</source>
        <translation>The speed cannot be set without control of the motor!</translation>
    </message>
</context>
<context>
    <name>hesk::operation::FactoryRestore</name>
    <message>
        <location filename="../src/core/operation/FactoryRestore.cpp" line="+48"/>
        <source>该设备不支持恢复出厂设置功能！</source>
        <translation>This device does not support restoring factory settings!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>正在进行触发录波，不允许执行恢复出厂设置操作！</source>
        <translation>A trigger recording is in progress; the factory settings cannot be restored now!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>在装置运行状态下，不允许执行恢复出厂设置操作！</source>
        <translation>The factory settings cannot be restored while the device is running!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>未设置参数修改权限，不允许执行恢复出厂设置操作！</source>
        <translation>The parameter modification right is not set; the factory settings cannot be restored!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>参数菜单P60不为2，不允许执行恢复出厂设置操作！</source>
        <translation>The parameter menu P60 is not 2; the factory settings cannot be restored!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>请先释放控制权，再进行恢复出厂设置操作！</source>
        <translation>Please release control of the motor before restoring the factory settings.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>确定要恢复出厂设置吗？该操作不可撤销！</source>
        <translation>Restore the factory settings? This cannot be undone!</translation>
    </message>
    <message>
        <location line="+89"/>
        <source>完成 </source>
        <translation>Done </translation>
    </message>
    <message>
        <location line="+8"/>
        <source>HESKMonitor恢复出厂设置成功！</source>
        <translation>HESKMonitor restored the factory settings.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>HESKMonitor恢复出厂设置失败，请您重新尝试！</source>
        <translation>HESKMonitor could not restore the factory settings. Please try again.</translation>
    </message>
</context>
<context>
    <name>hesk::operation::QuickSetupIdentification</name>
    <message>
        <location filename="../src/core/operation/QuickSetupIdentification.cpp" line="+19"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>该操作将打开控制面板，
自动获取电机控制权并启动电机！
是否继续？</source>
        <translation>This opens the control panel,
takes control of the motor and starts it!
Continue?</translation>
    </message>
</context>
<context>
    <name>hesk::recording::FaultDataUpload</name>
    <message>
        <location filename="../src/core/recording/FaultDataUpload.cpp" line="+44"/>
        <source>您当前没有连接设备，请连接设备后重新尝试！</source>
        <translation>No device is connected. Please connect to a device and try again.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>正在进行触发录波，不允许上传故障数据！</source>
        <translation>A trigger recording is in progress; fault data cannot be uploaded now!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>请先释放控制权，再上传故障数据！</source>
        <translation>Please release control of the motor before uploading fault data.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>设备正在运行状态，请将设备调整到待机状态再重新尝试！</source>
        <translation>The device is running; put it into standby and try again.</translation>
    </message>
    <message>
        <location line="+96"/>
        <source>正在接收数据</source>
        <translation>Receiving data</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>故障数据触发超时，请您重新尝试！</source>
        <translation>The fault data request timed out. Please try again.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>故障数据上传超时，请您重新尝试！</source>
        <translation>The fault data upload timed out. Please try again.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>所有故障数据上传完毕！</source>
        <translation>All fault data were uploaded.</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>发生未知错误，请重试！</source>
        <translation>An unknown error occurred. Please try again.</translation>
    </message>
</context>
<context>
    <name>hesk::recording::TriggerRecorder</name>
    <message>
        <location filename="../src/core/recording/TriggerRecorder.cpp" line="+120"/>
        <source>设备回复超时，立即启动失败！</source>
        <translation>The device did not answer in time; the immediate start failed!</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>设备回复超时，触发启动失败！</source>
        <translation>The device did not answer in time; the triggered start failed!</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>您当前没有激活通道，立即启动失败！</source>
        <translation>No channel is active; the immediate start failed!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>您当前没有激活通道，触发启动失败！</source>
        <translation>No channel is active; the triggered start failed!</translation>
    </message>
    <message>
        <location line="+73"/>
        <source>等待触发</source>
        <translation>Waiting for trigger</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>当前状态，不允许停止操作！</source>
        <translation>The recording cannot be stopped in the present state!</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>正在接收数据</source>
        <translation>Receiving data</translation>
    </message>
    <message>
        <location line="+108"/>
        <location line="+141"/>
        <source>等待触发（已记录%1次）</source>
        <translation>Waiting for trigger (%1 recorded)</translation>
    </message>
    <message>
        <location line="-126"/>
        <source>等待触发录波数据上传超时，请您重新尝试！</source>
        <translation>Waiting for the trigger recording data timed out. Please try again.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>下位机上传的数据有错，本次录波失败！</source>
        <translation>The data sent by the drive are corrupt; this recording failed!</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>触发录波数据上传超时，请您重新尝试！</source>
        <translation>The trigger recording data upload timed out. Please try again.</translation>
    </message>
</context>
<context>
    <name>hesk::shell::MonitorSession</name>
    <message>
        <location filename="../src/core/shell/MonitorSession.cpp" line="+135"/>
        <location line="+10"/>
        <location line="+49"/>
        <location line="+20"/>
        <location line="+28"/>
        <location line="+7"/>
        <location line="+30"/>
        <location line="+18"/>
        <location line="+69"/>
        <location line="+7"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="-238"/>
        <source>通信线程无法启动，详细原因请看日志！</source>
        <translation>The communication thread could not be started. See the log for details!</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>HESKMonitor软件暂时不支持此种cpu类型%1，请联系开发人员。</source>
        <translation>HESKMonitor does not support the CPU type %1 yet. Please contact the developers.</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+85"/>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="-85"/>
        <source>您的离线信息有修改,是否要保存到dnl文件？</source>
        <translation>Your offline values have changed. Save them to a dnl file?</translation>
    </message>
    <message>
        <location line="+28"/>
        <location line="+261"/>
        <location line="+82"/>
        <location line="+3"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="-346"/>
        <source>通信设置加载失败！</source>
        <translation>The communication settings could not be loaded!</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>串口打开失败！</source>
        <translation>The serial port could not be opened!</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>连接超时，详细原因请看日志！
提示：如果您的设备刚刚上电，请您等待20s再重新连接。</source>
        <translation>The connection timed out. See the log for details!
Note: if the device was just powered on, wait 20 s before connecting again.</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>当前工程ID和下位机程序ID不符。
请您关闭当前工程，重新打开与当前设备匹配的工程。
或者关闭当前工程，直接点击搜索设备即可。</source>
        <translation>The project ID does not match the device&apos;s program ID.
Please close the current project and open the project that matches the device,
or close the current project and use Search Device.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>下位机程序ID回复超时!</source>
        <translation>The device did not answer the program ID request in time!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>提示：您上次下载没有成功，设备已自动恢复出厂设置，请您重新下载！</source>
        <translation>Note: your last download did not succeed and the device has restored its factory settings. Please download again!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>提示：您上次一键还原没有成功，请您重新进行一键还原操作！</source>
        <translation>Note: your last one-click restore did not succeed. Please run the one-click restore again!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>提示：您上次一键还原和下载都没有成功，请您重新进行一键还原操作，之后再重新下载！</source>
        <translation>Note: neither your last one-click restore nor your last download succeeded. Please run the one-click restore again, then download again!</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>网口打开失败！</source>
        <translation>The network port could not be opened!</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>连接超时！</source>
        <translation>The connection timed out!</translation>
    </message>
    <message>
        <location line="+70"/>
        <source>设备的CPU类型是%1，与上位机的CPU类型%2不匹配！
请重新打开CPU类型匹配的Monitor工程
连接操作被终止！</source>
        <translation>The device&apos;s CPU type is %1, which does not match the project&apos;s CPU type %2!
Please open a Monitor project with a matching CPU type.
The connection was aborted!</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>上位机CPU类型是%1！下位机CPU类型不在处理范围内。
连接操作被终止！</source>
        <translation>The project&apos;s CPU type is %1! The device&apos;s CPU type is not supported.
The connection was aborted!</translation>
    </message>
    <message>
        <location line="+68"/>
        <source>在获取电机控制权情况下不允许断开连接，请先释放电机控制权！</source>
        <translation>You cannot disconnect while you hold control of the motor. Release the control first!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>正在进行触发录波，不允许断开连接，请先停止触发录波！</source>
        <translation>The trigger recorder is running, so you cannot disconnect. Stop the trigger recorder first!</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>HESKMonitor异常掉线，可通过小键盘停止电机，设置P880=0恢复小键盘转速给定！</source>
        <translation>HESKMonitor lost the connection unexpectedly. Stop the motor with the keypad; set P880=0 to give the speed setpoint from the keypad again!</translation>
    </message>
    <message>
        <location line="+2"/>
        <source> 请检查通讯线路！ </source>
        <translation> Please check the communication line! </translation>
    </message>
</context>
</TS>
