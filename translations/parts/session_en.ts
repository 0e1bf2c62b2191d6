<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AddDevice</name>
    <message>
        <location filename="../../src/core/online/AddDevice.cpp" line="+27"/>
        <source>没有找到设备，请您重新选择！</source>
        <translation>No device was found. Please choose again.</translation>
    </message>
</context>
<context>
    <name>AllowedValues</name>
    <message>
        <location filename="../../src/core/editing/AllowedValues.cpp" line="+177"/>
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
    <name>BoardCheck</name>
    <message>
        <location filename="../../src/core/online/BoardCheck.cpp" line="+37"/>
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
        <location filename="../../src/core/shell/ChangeJournal.cpp" line="+88"/>
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
    <name>CpuTypeCheck</name>
    <message>
        <location filename="../../src/core/model/CpuTypeCheck.cpp" line="+24"/>
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
        <location filename="../../src/core/pages/CustomPageList.cpp" line="+21"/>
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
        <location filename="../../src/core/pages/CustomPageTransfer.cpp" line="+20"/>
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
        <location filename="../../src/core/online/BoardCheck.cpp" line="-37"/>
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
        <location filename="../../src/core/online/DeviceSearch.cpp" line="+34"/>
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
    <name>EditMessages</name>
    <message>
        <location filename="../../src/core/editing/EditMessages.cpp" line="+19"/>
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
        <location filename="../../src/core/editing/EditorMessages.cpp" line="+10"/>
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
        <location filename="../../src/core/pages/FactoryDifferences.cpp" line="+59"/>
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
    <name>InputValidation</name>
    <message>
        <location filename="../../src/core/model/InputValidation.cpp" line="+220"/>
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
    <name>InterfaceSetup</name>
    <message>
        <location filename="../../src/core/online/InterfaceSetup.cpp" line="+68"/>
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
        <location filename="../../src/core/creation/IntermediateFile.cpp" line="+86"/>
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
        <location filename="../../src/core/shell/JournalUndo.cpp" line="+73"/>
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
    <name>MotorDataCascade</name>
    <message>
        <location filename="../../src/core/editing/MotorDataCascade.cpp" line="+121"/>
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
    <name>OnlineStatusPanes</name>
    <message>
        <location filename="../../src/core/online/StatusPanes.cpp" line="+11"/>
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
        <location filename="../../src/core/model/PageCatalogue.cpp" line="+24"/>
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
        <location filename="../../src/core/pages/PageColumns.cpp" line="+14"/>
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
    <name>ProjectCreation</name>
    <message>
        <location filename="../../src/core/creation/ProjectCreation.cpp" line="+37"/>
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
        <location filename="../../src/core/model/ProjectFile.cpp" line="+35"/>
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
    <name>ProjectLocator</name>
    <message>
        <location filename="../../src/core/model/ProjectLocator.cpp" line="+80"/>
        <source>文件%1不存在，装载失败！</source>
        <translation>The file %1 does not exist and could not be loaded!</translation>
    </message>
</context>
<context>
    <name>SpecialOptions</name>
    <message>
        <location filename="../../src/core/editing/SpecialOptions.cpp" line="+34"/>
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
    <name>TypedValue</name>
    <message>
        <location filename="../../src/core/model/TypedValue.cpp" line="+22"/>
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
        <location filename="../../src/core/model/UserMessage.h" line="+21"/>
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
    <name>WizardTexts</name>
    <message>
        <location filename="../../src/core/creation/WizardTexts.h" line="+28"/>
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
    <name>hesk::shell::MonitorSession</name>
    <message>
        <location filename="../../src/core/shell/MonitorSession.cpp" line="+135"/>
        <location line="+10"/>
        <location line="+49"/>
        <location line="+20"/>
        <location line="+28"/>
        <location line="+7"/>
        <location line="+30"/>
        <location line="+18"/>
        <location line="+17"/>
        <location line="+7"/>
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="-186"/>
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
        <location line="+209"/>
        <location line="+81"/>
        <location line="+3"/>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="-293"/>
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
        <location line="+18"/>
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
        <location line="+76"/>
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
