<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AxisRangeInput</name>
    <message>
        <location filename="../../src/core/recording/AxisRangeInput.cpp" line="+29"/>
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
        <location filename="../../src/core/files/BicoCsvExport.cpp" line="+29"/>
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
    <name>CompareCsvExport</name>
    <message>
        <location filename="../../src/core/files/CompareCsvExport.cpp" line="+34"/>
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
    <name>DnlCompare</name>
    <message>
        <location filename="../../src/core/files/DnlCompare.cpp" line="+113"/>
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
        <location filename="../../src/core/files/DnlImport.cpp" line="+36"/>
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
        <location filename="../../src/core/files/DnlOpen.cpp" line="+30"/>
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
        <location filename="../../src/core/files/DnlProjectCheck.cpp" line="+35"/>
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
        <location filename="../../src/core/files/DownloadImage.cpp" line="+290"/>
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
        <location filename="../../src/core/files/DownloadImage.h" line="+110"/>
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
        <location filename="../../src/core/recording/DriveBoardFaultUpload.cpp" line="+36"/>
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
        <location filename="../../src/core/operation/DriveStates.cpp" line="+10"/>
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
    <name>FaultAlarmList</name>
    <message>
        <location filename="../../src/core/recording/FaultAlarmList.cpp" line="+61"/>
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
        <location filename="../../src/core/recording/FaultDataFile.cpp" line="+22"/>
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
        <location filename="../../src/core/recording/FaultDataUpload.cpp" line="+27"/>
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
        <location filename="../../src/core/recording/FaultFileOpen.cpp" line="+37"/>
        <source>根据文件中的设备类型和版本打开对应工程失败！</source>
        <translation>The project for the device type and version in the file could not be opened!</translation>
    </message>
</context>
<context>
    <name>FaultRecord</name>
    <message>
        <location filename="../../src/core/recording/FaultRecord.cpp" line="+11"/>
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
    <name>FileCompare</name>
    <message>
        <location filename="../../src/core/files/FileCompare.cpp" line="+12"/>
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
    <name>MigrationReport</name>
    <message>
        <location filename="../../src/core/files/MigrationReport.cpp" line="+23"/>
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
    <name>OfflineDnlSave</name>
    <message>
        <location filename="../../src/core/files/OfflineDnlSave.cpp" line="+50"/>
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
    <name>PanelView</name>
    <message>
        <location filename="../../src/core/operation/PanelView.cpp" line="+55"/>
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
        <location filename="../../src/core/files/ParameterDownload.cpp" line="+34"/>
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
    <name>ParameterUpload</name>
    <message>
        <location filename="../../src/core/files/ParameterUpload.cpp" line="+41"/>
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
    <name>QuickSetupAutomatic</name>
    <message>
        <location filename="../../src/core/operation/QuickSetupAutomatic.cpp" line="+23"/>
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
        <location filename="../../src/core/operation/QuickSetupPages.cpp" line="+33"/>
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
        <location filename="../../src/core/operation/QuickSetupReset.cpp" line="+15"/>
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
        <location filename="../../src/core/operation/QuickSetupTexts.cpp" line="+15"/>
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
        <location filename="../../src/core/recording/RecordingAutoSave.cpp" line="+33"/>
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
        <location filename="../../src/core/operation/SetpointUnits.cpp" line="+14"/>
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
    <name>ThreeWayCompare</name>
    <message>
        <location filename="../../src/core/files/ThreeWayCompare.cpp" line="+31"/>
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
        <location filename="../../src/core/recording/TricfgFile.cpp" line="+146"/>
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
        <location filename="../../src/core/recording/TriggerDataFile.cpp" line="+89"/>
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
        <location filename="../../src/core/recording/TriggerRecorder.cpp" line="+21"/>
        <source>您当前没有连接设备，请连接设备后重新尝试！</source>
        <translation>No device is connected. Please connect to a device and try again.</translation>
    </message>
</context>
<context>
    <name>TriggerRecording</name>
    <message>
        <location filename="../../src/core/recording/TriggerRecording.cpp" line="+91"/>
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
        <location filename="../../src/core/recording/TriggerSettings.cpp" line="+121"/>
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
        <location filename="../../src/core/recording/TriggerSettingsDraft.cpp" line="+54"/>
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
    <name>hesk::files::CompareRowModel</name>
    <message>
        <location filename="../../src/core/files/CompareRowModel.cpp" line="+79"/>
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
        <location filename="../../src/core/files/ParameterDownload.cpp" line="+33"/>
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
        <location filename="../../src/core/files/ParameterUpload.cpp" line="+33"/>
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
        <location filename="../../src/core/operation/ControlPanel.cpp" line="+51"/>
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
        <location filename="../../src/core/operation/FactoryRestore.cpp" line="+48"/>
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
        <location filename="../../src/core/operation/QuickSetupIdentification.cpp" line="+19"/>
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
        <location filename="../../src/core/recording/FaultDataUpload.cpp" line="+44"/>
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
        <location filename="../../src/core/recording/TriggerRecorder.cpp" line="+120"/>
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
</TS>
