<?xml version='1.0' encoding='utf-8'?>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>ApplicationWindows</name>
    <message>
        <location filename="../../src/app/ApplicationWindows.cpp" line="+168" />
        <source>设置站号</source>
        <translation>Set station number</translation>
    </message>
    <message>
        <location line="+0" />
        <source>从站数：%1
请输入站号（0为主站）：</source>
        <translation>Number of slave stations: %1
Enter the station number (0 for the master):</translation>
    </message>
</context>
<context>
    <name>ApproximateComparisonSetting</name>
    <message>
        <location filename="../../src/core/shell/ApproximateComparisonSetting.cpp" line="+9" />
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
        <location line="+9" />
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+0" />
        <source>文件保存失败！</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <location line="+4" />
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>CommandRules</name>
    <message>
        <location filename="../../src/core/shell/CommandRules.cpp" line="+10" />
        <source>创建工程(&amp;N)</source>
        <translation>&amp;New project</translation>
    </message>
    <message>
        <location line="+1" />
        <source>打开(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <location line="+1" />
        <source>保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <location line="+1" />
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <location line="+1" />
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location line="+1" />
        <source>搜索设备</source>
        <translation>Search devices</translation>
    </message>
    <message>
        <location line="+1" />
        <source>添加设备</source>
        <translation>Add device</translation>
    </message>
    <message>
        <location line="+1" />
        <source>日志</source>
        <translation>Log</translation>
    </message>
    <message>
        <location line="+1" />
        <source>项目</source>
        <translation>Project</translation>
    </message>
    <message>
        <location line="+1" />
        <source>端口设定</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <location line="+1" />
        <source>连接下位机</source>
        <translation>Connect to drive</translation>
    </message>
    <message>
        <location line="+1" />
        <source>断开下位机</source>
        <translation>Disconnect from drive</translation>
    </message>
    <message>
        <location line="+1" />
        <source>打开Dnl</source>
        <translation>Open DNL</translation>
    </message>
    <message>
        <location line="+1" />
        <source>参数上传</source>
        <translation>Upload parameters</translation>
    </message>
    <message>
        <location line="+1" />
        <source>参数下载</source>
        <translation>Download parameters</translation>
    </message>
    <message>
        <location line="+1" />
        <source>文件比较</source>
        <translation>Compare files</translation>
    </message>
    <message>
        <location line="+1" />
        <source>查找功能码</source>
        <translation>Find parameter</translation>
    </message>
    <message>
        <location line="+1" />
        <source>恢复出厂设置</source>
        <translation>Restore factory settings</translation>
    </message>
    <message>
        <location line="+1" />
        <source>打开故障波形文件</source>
        <translation>Open fault waveform file</translation>
    </message>
    <message>
        <location line="+1" />
        <source>打开触发录波文件</source>
        <translation>Open trigger recording file</translation>
    </message>
    <message>
        <location line="+1" />
        <source>上传驱动板故障录波</source>
        <translation>Upload drive board fault recording</translation>
    </message>
    <message>
        <location line="+1" />
        <source>近似值比较优化</source>
        <translation>Approximate comparison</translation>
    </message>
    <message>
        <location line="+1" />
        <source>HESKMonitor用户手册</source>
        <translation>HESKMonitor user manual</translation>
    </message>
    <message>
        <location line="+1" />
        <source>VRA1控制器说明</source>
        <translation>VRA1 controller description</translation>
    </message>
    <message>
        <location line="+1" />
        <source>BICO连线</source>
        <translation>BICO wiring</translation>
    </message>
    <message>
        <location line="+1" />
        <source>修改记录</source>
        <translation>Change log</translation>
    </message>
    <message>
        <location line="+1" />
        <source>三方比较（设备/文件/出厂值）</source>
        <translation>Three-way comparison (device/file/factory value)</translation>
    </message>
</context>
<context>
    <name>ControlPanelPane</name>
    <message>
        <location filename="../../src/app/operation/ControlPanelPane.cpp" line="+33" />
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
</context>
<context>
    <name>DeviceStateIndicator</name>
    <message>
        <location filename="../../src/core/shell/DeviceStateIndicator.cpp" line="+13" />
        <location line="+19" />
        <source>正常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location line="-2" />
        <source>故障</source>
        <translation>Fault</translation>
    </message>
    <message>
        <location line="+1" />
        <source>报警</source>
        <translation>Alarm</translation>
    </message>
</context>
<context>
    <name>DialogButtons</name>
    <message>
        <location filename="../../src/app/dialogs/DialogButtons.cpp" line="+18" />
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+4" />
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>FeaturesNotBuilt</name>
    <message>
        <location filename="../../src/core/shell/FeaturesNotBuilt.cpp" line="+24" />
        <source>该功能尚未提供。</source>
        <translation>This function is not available yet.</translation>
    </message>
</context>
<context>
    <name>HelpDocuments</name>
    <message>
        <location filename="../../src/core/shell/HelpDocuments.cpp" line="+12" />
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+52" />
        <source>查看的文档暂不存在！</source>
        <translation>The document is not available.</translation>
    </message>
    <message>
        <location line="+4" />
        <source>查找的文件：</source>
        <translation>Files looked for: </translation>
    </message>
    <message>
        <location line="+0" />
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <location line="+1" />
        <source>查找的文件夹：</source>
        <translation>Folders searched:</translation>
    </message>
    <message>
        <location line="+25" />
        <source>文档无法打开：
</source>
        <translation>The document cannot be opened:
</translation>
    </message>
</context>
<context>
    <name>InterfaceLanguage</name>
    <message>
        <location filename="../../src/core/shell/InterfaceLanguage.cpp" line="+59" />
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+1" />
        <source>文件保存失败！</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <location line="+3" />
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+1" />
        <source>界面语言将在程序下次启动时切换。</source>
        <translation>The interface language changes the next time the program starts.</translation>
    </message>
</context>
<context>
    <name>ParameterPageWindows</name>
    <message>
        <location filename="../../src/app/pages/ParameterPageWindows.cpp" line="+17" />
        <source>：右键列表区域，可插入、删除、更改参数</source>
        <translation>: right-click the list to insert, delete or change parameters</translation>
    </message>
</context>
<context>
    <name>ProjectLifecycle</name>
    <message>
        <location filename="../../src/core/shell/ProjectLifecycle.cpp" line="+36" />
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <location line="+2" />
        <source>项目文件(*.tmprj)</source>
        <translation>Project files (*.tmprj)</translation>
    </message>
    <message>
        <location line="+8" />
        <location line="+13" />
        <location line="+4" />
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="-17" />
        <location line="+13" />
        <source>已经有项目打开，请先退出当前项目！</source>
        <translation>A project is already open. Close the current project first.</translation>
    </message>
    <message>
        <location line="+4" />
        <source>项目文件%1错误，打开失败！</source>
        <translation>The project file %1 is not valid and could not be opened.</translation>
    </message>
    <message>
        <location line="+10" />
        <location line="+96" />
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="-95" />
        <source>程序无法识别文件中的设备类型，请您重新选择其他工程文件！</source>
        <translation>The device type in the file is not recognised. Choose another project file.</translation>
    </message>
    <message>
        <location line="+44" />
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <location line="+3" />
        <source>内容有修改,是否保存到工程文件？</source>
        <translation>The content has changed. Save it to the project file?</translation>
    </message>
    <message>
        <location line="+8" />
        <source>您的离线信息有修改,是否要保存到dnl文件？</source>
        <translation>Your offline values have changed. Save them to the DNL file?</translation>
    </message>
    <message>
        <location line="+8" />
        <source>当前触发录波的数据是否保存？</source>
        <translation>Save the current trigger recording data?</translation>
    </message>
    <message>
        <location line="+32" />
        <source>程序在线，请先断开连接，再关闭程序！</source>
        <translation>The program is online. Disconnect first, then close the program.</translation>
    </message>
</context>
<context>
    <name>ProjectTreeLayout</name>
    <message>
        <location filename="../../src/core/shell/ProjectTreeLayout.cpp" line="+28" />
        <source>故障波形</source>
        <translation>Fault waveform</translation>
    </message>
    <message>
        <location line="+8" />
        <location line="+11" />
        <source>参数菜单</source>
        <translation>Parameter menu</translation>
    </message>
    <message>
        <location line="-9" />
        <source>控制模式</source>
        <translation>Control modes</translation>
    </message>
    <message>
        <location line="+2" />
        <location line="+7" />
        <source>数据组</source>
        <translation>Data sets</translation>
    </message>
    <message>
        <location line="-6" />
        <location line="+7" />
        <source>通讯</source>
        <translation>Communication</translation>
    </message>
    <message>
        <location line="+39" />
        <location line="+9" />
        <location line="+3" />
        <source>调试功能</source>
        <translation>Commissioning tools</translation>
    </message>
    <message>
        <location line="-12" />
        <source>控制面板</source>
        <translation>Control panel</translation>
    </message>
    <message>
        <location line="+1" />
        <location line="+8" />
        <source>触发录波</source>
        <translation>Trigger recorder</translation>
    </message>
    <message>
        <location line="-7" />
        <location line="+8" />
        <source>故障报警</source>
        <translation>Faults and alarms</translation>
    </message>
    <message>
        <location line="-7" />
        <source>快速调试</source>
        <translation>Quick setup</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <location filename="../../src/core/shell/StatusTexts.cpp" line="+7" />
        <source>窗口未打开，请双击左侧树菜单</source>
        <translation>No window open: double-click an entry in the tree on the left</translation>
    </message>
    <message>
        <location line="+5" />
        <source>未打开工程：请在菜单栏打开工程</source>
        <translation>No project open: open a project from the menu bar</translation>
    </message>
    <message>
        <location line="+2" />
        <source>未打开窗口：请双击左侧树菜单</source>
        <translation>No window open: double-click an entry in the tree on the left</translation>
    </message>
</context>
<context>
    <name>TriggerRecorderWindow</name>
    <message>
        <location filename="../../src/app/recording/TriggerRecorderWindow.cpp" line="+26" />
        <source>当前缓冲没有数据！</source>
        <translation>The buffer holds no data.</translation>
    </message>
    <message>
        <location line="+5" />
        <source>空闲</source>
        <translation>Idle</translation>
    </message>
    <message>
        <location line="+4" />
        <source>正在设置</source>
        <translation>Setting up</translation>
    </message>
    <message>
        <location line="+1" />
        <source>等待触发</source>
        <translation>Waiting for trigger</translation>
    </message>
    <message>
        <location line="+1" />
        <source>正在接收数据</source>
        <translation>Receiving data</translation>
    </message>
</context>
<context>
    <name>WidgetPrompt</name>
    <message>
        <location filename="../../src/app/dialogs/WidgetPrompt.cpp" line="+42" />
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+1" />
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+1" />
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <location line="+1" />
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <location line="+12" />
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+0" />
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+1" />
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="+0" />
        <source>提示</source>
        <translation>Note</translation>
    </message>
</context>
<context>
    <name>hesk::app::AddDeviceDialog</name>
    <message>
        <location filename="../../src/app/dialogs/AddDeviceDialog.cpp" line="+19" />
        <source>添加设备</source>
        <translation>Add device</translation>
    </message>
    <message>
        <location line="+9" />
        <source>设备类型：</source>
        <translation>Device type:</translation>
    </message>
    <message>
        <location line="+1" />
        <source>设备版本：</source>
        <translation>Device version:</translation>
    </message>
</context>
<context>
    <name>hesk::app::AxisRangeDialog</name>
    <message>
        <location filename="../../src/app/charts/AxisRangeDialog.cpp" line="+17" />
        <source>修改坐标轴范围</source>
        <translation>Change axis ranges</translation>
    </message>
    <message>
        <location line="+13" />
        <source>X轴最小值</source>
        <translation>X axis minimum</translation>
    </message>
    <message>
        <location line="+1" />
        <source>X轴最大值</source>
        <translation>X axis maximum</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Y轴最小值</source>
        <translation>Y axis minimum</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Y轴最大值</source>
        <translation>Y axis maximum</translation>
    </message>
</context>
<context>
    <name>hesk::app::BicoPane</name>
    <message>
        <location filename="../../src/app/frame/BicoPane.cpp" line="+101" />
        <source>参数号、信号源或名称，如 K0091、P0222</source>
        <translation>Parameter number, signal source or name, e.g. K0091, P0222</translation>
    </message>
    <message>
        <location line="+3" />
        <source>任意列</source>
        <translation>Any column</translation>
    </message>
    <message>
        <location line="+0" />
        <source>按输入参数</source>
        <translation>By input parameter</translation>
    </message>
    <message>
        <location line="+0" />
        <source>按信号源</source>
        <translation>By signal source</translation>
    </message>
    <message>
        <location line="+1" />
        <source>读取</source>
        <translation>Read</translation>
    </message>
    <message>
        <location line="+1" />
        <source>从下位机读取全部连接输入的信号源</source>
        <translation>Read the signal sources of all connector inputs from the drive</translation>
    </message>
    <message>
        <location line="+1" />
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="+11" />
        <source>查找：</source>
        <translation>Find:</translation>
    </message>
    <message>
        <location line="+83" />
        <source>未打开工程</source>
        <translation>No project open</translation>
    </message>
    <message>
        <location line="+1" />
        <source>共 %1 个连接输入，显示 %2 个；%3</source>
        <translation>%1 connector inputs, %2 shown; %3</translation>
    </message>
    <message>
        <location line="+3" />
        <source>在线：下位机的连线（未读取的为空）</source>
        <translation>online: the drive's wiring (empty where not read yet)</translation>
    </message>
    <message>
        <location line="+1" />
        <source>离线：离线值或出厂值</source>
        <translation>offline: offline values or factory values</translation>
    </message>
    <message>
        <location line="+2" />
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <location line="+14" />
        <source>读取未完成：请求数据超时</source>
        <translation>Read not complete: the request timed out</translation>
    </message>
</context>
<context>
    <name>hesk::app::BicoTableModel</name>
    <message>
        <location line="-197" />
        <source>输入参数</source>
        <translation>Input parameter</translation>
    </message>
    <message>
        <location line="+0" />
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+1" />
        <source>信号源</source>
        <translation>Signal source</translation>
    </message>
    <message>
        <location line="+1" />
        <source>信号源名称</source>
        <translation>Signal source name</translation>
    </message>
    <message>
        <location line="+56" />
        <source>工程中没有此信号源</source>
        <translation>This signal source is not in the project</translation>
    </message>
</context>
<context>
    <name>hesk::app::BitWordEditorDialog</name>
    <message>
        <location filename="../../src/app/editors/BitWordEditorDialog.cpp" line="+22" />
        <source>修改参数值 </source>
        <translation>Change parameter value </translation>
    </message>
    <message>
        <location line="+7" />
        <source>比特位：值</source>
        <translation>Bit: value</translation>
    </message>
    <message>
        <location line="+0" />
        <source>比特位含义</source>
        <translation>Bit meaning</translation>
    </message>
    <message>
        <location line="+26" />
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>hesk::app::ChartView</name>
    <message>
        <location filename="../../src/app/charts/ChartView.cpp" line="+56" />
        <source>时间轴（ms）</source>
        <translation>Time (ms)</translation>
    </message>
    <message>
        <location line="+1" />
        <source>模拟量轴（%）</source>
        <translation>Analog value (%)</translation>
    </message>
</context>
<context>
    <name>hesk::app::CodeSearchDialog</name>
    <message>
        <location filename="../../src/app/pages/CodeSearchDialog.cpp" line="+15" />
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <location line="+4" />
        <source>关键字：</source>
        <translation>Keyword:</translation>
    </message>
    <message>
        <location line="+8" />
        <source>向上</source>
        <translation>Up</translation>
    </message>
    <message>
        <location line="+1" />
        <source>向下</source>
        <translation>Down</translation>
    </message>
    <message>
        <location line="+7" />
        <source>查找下一个</source>
        <translation>Find next</translation>
    </message>
</context>
<context>
    <name>hesk::app::CompareExportDialog</name>
    <message>
        <location filename="../../src/app/dialogs/FileCompareDialog.cpp" line="+199" />
        <source>导出文件</source>
        <translation>Export files</translation>
    </message>
    <message>
        <location line="+2" />
        <source>全部参数</source>
        <translation>All parameters</translation>
    </message>
    <message>
        <location line="+0" />
        <source>相同参数</source>
        <translation>Equal parameters</translation>
    </message>
    <message>
        <location line="+0" />
        <source>不同参数</source>
        <translation>Different parameters</translation>
    </message>
    <message>
        <location line="+6" />
        <source>文件保存路径</source>
        <translation>Save to folder</translation>
    </message>
    <message>
        <location line="+28" />
        <source>请选择路径: </source>
        <translation>Choose a folder: </translation>
    </message>
</context>
<context>
    <name>hesk::app::ConnectionEditorDialog</name>
    <message>
        <location filename="../../src/app/editors/ConnectionEditorDialog.cpp" line="+23" />
        <source>修改参数连线</source>
        <translation>Change parameter wiring</translation>
    </message>
    <message>
        <location line="+3" />
        <source>参数号：</source>
        <translation>Parameter number:</translation>
    </message>
    <message>
        <location line="+5" />
        <source>双击对应行，选择参数！</source>
        <translation>Double-click a row to choose the parameter.</translation>
    </message>
    <message>
        <location line="+4" />
        <source>连线值</source>
        <translation>Wiring value</translation>
    </message>
    <message>
        <location line="+0" />
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0" />
        <source>注释</source>
        <translation>Comment</translation>
    </message>
    <message>
        <location line="+16" />
        <source>修改连线，双击对应行修改！</source>
        <translation>To change the wiring, double-click its row.</translation>
    </message>
</context>
<context>
    <name>hesk::app::ControlPanelPane</name>
    <message>
        <location filename="../../src/app/operation/ControlPanelPane.cpp" line="+64" />
        <source>电机控制</source>
        <translation>Motor control</translation>
    </message>
    <message>
        <location line="+6" />
        <location line="+185" />
        <source>启动电机</source>
        <translation>Start motor</translation>
    </message>
    <message>
        <location line="-180" />
        <source>停止电机</source>
        <translation>Stop motor</translation>
    </message>
    <message>
        <location line="+3" />
        <source>故障复位</source>
        <translation>Reset faults</translation>
    </message>
    <message>
        <location line="+14" />
        <source>运行状态：</source>
        <translation>Operating state:</translation>
    </message>
    <message>
        <location line="+2" />
        <source>设备状态：</source>
        <translation>Device status:</translation>
    </message>
    <message>
        <location line="+5" />
        <source>状态字</source>
        <translation>Status word</translation>
    </message>
    <message>
        <location line="+15" />
        <source>给定与实际值</source>
        <translation>Setpoint and actual values</translation>
    </message>
    <message>
        <location line="+10" />
        <source>单击输入给定值</source>
        <translation>Click to enter the setpoint</translation>
    </message>
    <message>
        <location line="+11" />
        <source>实际电流(A)</source>
        <translation>Actual current (A)</translation>
    </message>
    <message>
        <location line="+2" />
        <source>直流电压(V)</source>
        <translation>DC link voltage (V)</translation>
    </message>
    <message>
        <location line="+2" />
        <source>实际转矩(%)</source>
        <translation>Actual torque (%)</translation>
    </message>
    <message>
        <location line="+4" />
        <source>数据组</source>
        <translation>Data sets</translation>
    </message>
    <message>
        <location line="+10" />
        <source>自由显示</source>
        <translation>Free display</translation>
    </message>
    <message>
        <location line="+6" />
        <source>参数号</source>
        <translation>Parameter number</translation>
    </message>
    <message>
        <location line="+1" />
        <source>单击选择要显示的参数</source>
        <translation>Click to choose the parameter to show</translation>
    </message>
    <message>
        <location line="+16" />
        <source>自动释放控制权</source>
        <translation>Release control automatically</translation>
    </message>
    <message>
        <location line="+3" />
        <source>软件不在最前时，会自动停机并释放控制权。如要临时取消此功能，可在获取控制权后，取消勾选。</source>
        <translation>When the program is not in front, it stops the motor and releases control. To switch this off for a while, clear the box after taking control.</translation>
    </message>
    <message>
        <location line="+49" />
        <source>正常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location line="+1" />
        <source>未知</source>
        <translation>Unknown</translation>
    </message>
    <message>
        <location line="+25" />
        <source>正在启动电机...</source>
        <translation>Starting the motor...</translation>
    </message>
    <message>
        <location line="+40" />
        <source>参数%1不存在！</source>
        <translation>Parameter %1 does not exist.</translation>
    </message>
</context>
<context>
    <name>hesk::app::DeviceSearchDialog</name>
    <message>
        <location filename="../../src/app/dialogs/DeviceSearchDialog.cpp" line="+21" />
        <source>搜索设备</source>
        <translation>Search devices</translation>
    </message>
    <message>
        <location line="+11" />
        <source>已知设备</source>
        <translation>Known devices</translation>
    </message>
    <message>
        <location line="+7" />
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="+2" />
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>hesk::app::DownloadCommand</name>
    <message>
        <location filename="../../src/app/DownloadCommand.cpp" line="+43" />
        <source>参数下载</source>
        <translation>Download parameters</translation>
    </message>
    <message>
        <location line="+0" />
        <source>正在解析dnl文件...</source>
        <translation>Reading the DNL file...</translation>
    </message>
</context>
<context>
    <name>hesk::app::FaultAlarmPane</name>
    <message>
        <location filename="../../src/app/frame/FaultAlarmPane.cpp" line="+28" />
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <location line="+1" />
        <source>故障复位</source>
        <translation>Reset faults</translation>
    </message>
</context>
<context>
    <name>hesk::app::FaultWaveformPane</name>
    <message>
        <location filename="../../src/app/recording/FaultWaveformPane.cpp" line="+31" />
        <location line="+61" />
        <source>上传故障数据</source>
        <translation>Upload fault data</translation>
    </message>
    <message>
        <location line="-60" />
        <source>导入数据</source>
        <translation>Import data</translation>
    </message>
    <message>
        <location line="+1" />
        <location line="+115" />
        <source>导出数据</source>
        <translation>Export data</translation>
    </message>
    <message>
        <location line="-114" />
        <location line="+140" />
        <source>保存图片</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <location line="-139" />
        <source>显示波形</source>
        <translation>Show waveforms</translation>
    </message>
    <message>
        <location line="+11" />
        <source>故障列表</source>
        <translation>Fault list</translation>
    </message>
    <message>
        <location line="+2" />
        <source>故障码含义</source>
        <translation>Fault code meaning</translation>
    </message>
    <message>
        <location line="+6" />
        <source>故障波形</source>
        <translation>Fault waveform</translation>
    </message>
    <message>
        <location line="+3" />
        <source>采样点</source>
        <translation>Sample</translation>
    </message>
    <message>
        <location line="+35" />
        <source>等待设备回复...</source>
        <translation>Waiting for the device to reply...</translation>
    </message>
    <message>
        <location line="+20" />
        <source>打开故障数据文件</source>
        <translation>Open fault data file</translation>
    </message>
    <message>
        <location line="+15" />
        <source>根据文件中的设备类型和版本打开对应工程失败！</source>
        <translation>The project for the device type and version in the file could not be opened.</translation>
    </message>
    <message>
        <location line="+33" />
        <source>文件保存失败！</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <location line="+20" />
        <source>请选择文件！</source>
        <translation>Choose a file.</translation>
    </message>
    <message>
        <location line="+4" />
        <source>图片保存失败！</source>
        <translation>The picture could not be saved.</translation>
    </message>
    <message>
        <location line="+39" />
        <source>（故障字中没有置位的故障）</source>
        <translation>(no fault bit set in the fault word)</translation>
    </message>
</context>
<context>
    <name>hesk::app::FileCompareDialog</name>
    <message>
        <location filename="../../src/app/dialogs/FileCompareDialog.cpp" line="-178" />
        <source>文件比较</source>
        <translation>Compare files</translation>
    </message>
    <message>
        <location line="+22" />
        <location line="+79" />
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <location line="-73" />
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <location line="+0" />
        <source>相同</source>
        <translation>Equal</translation>
    </message>
    <message>
        <location line="+0" />
        <source>不同</source>
        <translation>Different</translation>
    </message>
    <message>
        <location line="+12" />
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <location line="+46" />
        <source>执行中...</source>
        <translation>Running...</translation>
    </message>
</context>
<context>
    <name>hesk::app::FreeDisplayDialog</name>
    <message>
        <location filename="../../src/app/operation/FreeDisplayDialog.cpp" line="+18" />
        <source>自由显示</source>
        <translation>Free display</translation>
    </message>
    <message>
        <location line="+4" />
        <source>参数号：</source>
        <translation>Parameter number:</translation>
    </message>
    <message>
        <location line="+4" />
        <source>参数号</source>
        <translation>Parameter number</translation>
    </message>
    <message>
        <location line="+0" />
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+0" />
        <source>注释</source>
        <translation>Comment</translation>
    </message>
</context>
<context>
    <name>hesk::app::InterfaceSettingsDialog</name>
    <message>
        <location filename="../../src/app/dialogs/InterfaceSettingsDialog.cpp" line="+24" />
        <source>接口设置</source>
        <translation>Interface settings</translation>
    </message>
    <message>
        <location line="+2" />
        <source>选择需要的通信接口</source>
        <translation>Choose the communication interface</translation>
    </message>
    <message>
        <location line="+2" />
        <source>串口通信模式 (232)</source>
        <translation>Serial port (RS-232)</translation>
    </message>
    <message>
        <location line="+2" />
        <source>网口(PCIe GBE Family controller)</source>
        <translation>Ethernet (PCIe GBE Family controller)</translation>
    </message>
    <message>
        <location line="+3" />
        <source>详细设定</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>hesk::app::JournalPane</name>
    <message>
        <location filename="../../src/app/frame/JournalPane.cpp" line="+18" />
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <location line="+0" />
        <source>参数</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <location line="+0" />
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <location line="+1" />
        <source>原值</source>
        <translation>Old value</translation>
    </message>
    <message>
        <location line="+0" />
        <source>新值</source>
        <translation>New value</translation>
    </message>
    <message>
        <location line="+0" />
        <source>方式</source>
        <translation>Mode</translation>
    </message>
    <message>
        <location line="+1" />
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <location line="+7" />
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <location line="+1" />
        <source>把选中的修改之前的值写回设备</source>
        <translation>Write the values from before the selected changes back to the device</translation>
    </message>
    <message>
        <location line="+1" />
        <source>导出CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <location line="+28" />
        <source>在线</source>
        <translation>Online</translation>
    </message>
    <message>
        <location line="+0" />
        <source>离线</source>
        <translation>Offline</translation>
    </message>
    <message>
        <location line="+44" />
        <source>导出修改记录</source>
        <translation>Export change log</translation>
    </message>
    <message>
        <location line="+1" />
        <source>修改记录.csv</source>
        <translation>change-log.csv</translation>
    </message>
    <message>
        <location line="+1" />
        <source>CSV文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <location line="+9" />
        <source>修改记录已导出至：</source>
        <translation>Change log exported to: </translation>
    </message>
</context>
<context>
    <name>hesk::app::LogPane</name>
    <message>
        <location filename="../../src/app/frame/LogPane.cpp" line="+81" />
        <source>复制	Ctrl+C</source>
        <translation>Copy	Ctrl+C</translation>
    </message>
    <message>
        <location line="+2" />
        <source>清空	Ctrl+Delete</source>
        <translation>Clear	Ctrl+Delete</translation>
    </message>
</context>
<context>
    <name>hesk::app::MainMenus</name>
    <message>
        <location filename="../../src/app/frame/MainMenus.cpp" line="+27" />
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location line="+11" />
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location line="+8" />
        <source>调试(&amp;D)</source>
        <translation>&amp;Debug</translation>
    </message>
    <message>
        <location line="+6" />
        <source>参数(&amp;P)</source>
        <translation>&amp;Parameters</translation>
    </message>
    <message>
        <location line="+10" />
        <source>录波(&amp;R)</source>
        <translation>&amp;Recording</translation>
    </message>
    <message>
        <location line="+5" />
        <source>设置(&amp;S)</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <location line="+4" />
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location line="+4" />
        <source>关于HESKMonitor(&amp;A)...</source>
        <translation>&amp;About HESKMonitor...</translation>
    </message>
    <message>
        <location line="+31" />
        <source>应用程序外观</source>
        <translation>Application style</translation>
    </message>
    <message>
        <location line="+18" />
        <source>界面语言</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <location line="+6" />
        <source>跟随系统</source>
        <translation>Follow the system</translation>
    </message>
</context>
<context>
    <name>hesk::app::MainWindow</name>
    <message>
        <location filename="../../src/app/MainWindow.cpp" line="+136" />
        <source>项目</source>
        <translation>Project</translation>
    </message>
    <message>
        <location line="+2" />
        <source>日志</source>
        <translation>Log</translation>
    </message>
    <message>
        <location line="+4" />
        <source>故障报警</source>
        <translation>Faults and alarms</translation>
    </message>
    <message>
        <location line="+3" />
        <source>故障波形控制面板</source>
        <translation>Fault waveform panel</translation>
    </message>
    <message>
        <location line="+1" />
        <source>此处将提供故障波形的上传、打开和保存。
</source>
        <translation>Uploading, opening and saving fault waveforms will be offered here.
</translation>
    </message>
    <message>
        <location line="+4" />
        <source>控制面板</source>
        <translation>Control panel</translation>
    </message>
    <message>
        <location line="+5" />
        <source>BICO连线</source>
        <translation>BICO wiring</translation>
    </message>
    <message>
        <location line="+2" />
        <source>修改记录</source>
        <translation>Change log</translation>
    </message>
    <message>
        <location line="+154" />
        <source>关于HESKMonitor</source>
        <translation>About HESKMonitor</translation>
    </message>
</context>
<context>
    <name>hesk::app::ParameterFileCommands</name>
    <message>
        <location filename="../../src/app/ParameterFileCommands.cpp" line="+59" />
        <source>正在导入dnl文件信息</source>
        <translation>Importing the DNL file</translation>
    </message>
    <message>
        <location line="+2" />
        <source>导入DNL信息</source>
        <translation>Import DNL</translation>
    </message>
</context>
<context>
    <name>hesk::app::ParameterNumberDialog</name>
    <message>
        <location filename="../../src/app/pages/ParameterNumberDialog.cpp" line="+13" />
        <source>自由参数</source>
        <translation>Free parameter</translation>
    </message>
    <message>
        <location line="+2" />
        <source>请输入要插入的参数号</source>
        <translation>Enter the number of the parameter to insert</translation>
    </message>
    <message>
        <location line="+3" />
        <source>参数号：</source>
        <translation>Parameter number:</translation>
    </message>
</context>
<context>
    <name>hesk::app::ParameterPageModel</name>
    <message>
        <location filename="../../src/app/pages/ParameterPageModel.cpp" line="+76" />
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+0" />
        <source>更新数据失败!</source>
        <translation>Updating the data failed.</translation>
    </message>
</context>
<context>
    <name>hesk::app::ParameterPageWindow</name>
    <message>
        <location filename="../../src/app/pages/ParameterPageWindow.cpp" line="+52" />
        <source>仅显示与出厂值不同</source>
        <translation>Only show values that differ from the factory value</translation>
    </message>
    <message>
        <location line="+217" />
        <source>插入参数</source>
        <translation>Insert parameter</translation>
    </message>
    <message>
        <location line="+1" />
        <source>删除参数</source>
        <translation>Delete parameter</translation>
    </message>
    <message>
        <location line="+1" />
        <source>变更参数</source>
        <translation>Change parameter</translation>
    </message>
    <message>
        <location line="+2" />
        <source>另存为参数文件(.fpm)</source>
        <translation>Save as parameter file (.fpm)</translation>
    </message>
    <message>
        <location line="+1" />
        <source>加载参数文件(.fpm)</source>
        <translation>Load parameter file (.fpm)</translation>
    </message>
</context>
<context>
    <name>hesk::app::ParameterPageWindows</name>
    <message>
        <location filename="../../src/app/pages/ParameterPageWindows.cpp" line="+135" />
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <location line="+0" />
        <source>该设备不支持功能码查找！</source>
        <translation>This device does not support finding parameters.</translation>
    </message>
    <message>
        <location line="+42" />
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="+0" />
        <source>没有找到！</source>
        <translation>Not found.</translation>
    </message>
    <message>
        <location line="+14" />
        <source>错误</source>
        <translation>Error</translation>
    </message>
    <message>
        <location line="+0" />
        <source>系统内部错误，请联系开发人员！</source>
        <translation>Internal error. Please contact the developers.</translation>
    </message>
</context>
<context>
    <name>hesk::app::PortSettingsDialog</name>
    <message>
        <location filename="../../src/app/dialogs/PortSettingsDialog.cpp" line="+19" />
        <source>端口设定</source>
        <translation>Port settings</translation>
    </message>
    <message>
        <location line="+12" />
        <source>通讯端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <location line="+1" />
        <source>波特率</source>
        <translation>Baud rate</translation>
    </message>
</context>
<context>
    <name>hesk::app::ProjectCreationDialog</name>
    <message>
        <location filename="../../src/app/dialogs/ProjectCreationDialog.cpp" line="+51" />
        <source>创建工程</source>
        <translation>Create project</translation>
    </message>
    <message>
        <location line="+11" />
        <source>设备类型：</source>
        <translation>Device type:</translation>
    </message>
    <message>
        <location line="+1" />
        <source>设备版本：</source>
        <translation>Device version:</translation>
    </message>
    <message>
        <location line="+13" />
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <location line="+11" />
        <source>项目名称：</source>
        <translation>Project name:</translation>
    </message>
    <message>
        <location line="+4" />
        <source>中间文件：</source>
        <translation>Intermediate file:</translation>
    </message>
    <message>
        <location line="+1" />
        <source>转换文件：</source>
        <translation>Conversion file:</translation>
    </message>
    <message>
        <location line="+1" />
        <source>Ubase文件：</source>
        <translation>Ubase file:</translation>
    </message>
    <message>
        <location line="+1" />
        <source>存储路径：</source>
        <translation>Save to:</translation>
    </message>
    <message>
        <location line="+24" />
        <location line="+165" />
        <source>正在创建工程...</source>
        <translation>Creating the project...</translation>
    </message>
    <message>
        <location line="-155" />
        <source>上一步</source>
        <translation>Back</translation>
    </message>
    <message>
        <location line="+1" />
        <source>下一步</source>
        <translation>Next</translation>
    </message>
    <message>
        <location line="+1" />
        <source>完成</source>
        <translation>Finish</translation>
    </message>
    <message>
        <location line="+1" />
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+82" />
        <source>打开中间文件</source>
        <translation>Open intermediate file</translation>
    </message>
    <message>
        <location line="+3" />
        <source>正在加载中间文件...</source>
        <translation>Loading the intermediate file...</translation>
    </message>
    <message>
        <location line="+8" />
        <source>打开转换文件</source>
        <translation>Open conversion file</translation>
    </message>
    <message>
        <location line="+3" />
        <source>正在读取转换文件...</source>
        <translation>Reading the conversion file...</translation>
    </message>
    <message>
        <location line="+8" />
        <source>打开Ubase文件</source>
        <translation>Open Ubase file</translation>
    </message>
    <message>
        <location line="+2" />
        <source>正在读取Ubase文件...</source>
        <translation>Reading the Ubase file...</translation>
    </message>
</context>
<context>
    <name>hesk::app::QuickSetupDialog</name>
    <message>
        <location filename="../../src/app/QuickSetupDialog.cpp" line="+39" />
        <location line="+341" />
        <source>快速调试</source>
        <translation>Quick setup</translation>
    </message>
    <message>
        <location line="-278" />
        <source>参数号</source>
        <translation>Parameter number</translation>
    </message>
    <message>
        <location line="+0" />
        <source>参数名</source>
        <translation>Parameter name</translation>
    </message>
    <message>
        <location line="+0" />
        <source>值</source>
        <translation>Value</translation>
    </message>
    <message>
        <location line="+0" />
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location line="+16" />
        <source>开 始 恢 复</source>
        <translation>Start restore</translation>
    </message>
    <message>
        <location line="+6" />
        <source>复位方式：</source>
        <translation>Restore mode:</translation>
    </message>
    <message>
        <location line="+6" />
        <source>自动设置参数</source>
        <translation>Set parameters automatically</translation>
    </message>
    <message>
        <location line="+2" />
        <source>启动辨识</source>
        <translation>Start identification</translation>
    </message>
    <message>
        <location line="+5" />
        <source>故障复位</source>
        <translation>Reset faults</translation>
    </message>
    <message>
        <location line="+16" />
        <source>双击参数行可修改参数值。</source>
        <translation>Double-click a parameter row to change its value.</translation>
    </message>
    <message>
        <location line="+8" />
        <source>上一步</source>
        <translation>Back</translation>
    </message>
    <message>
        <location line="+1" />
        <source>下一步</source>
        <translation>Next</translation>
    </message>
    <message>
        <location line="+1" />
        <source>返回首页</source>
        <translation>First page</translation>
    </message>
    <message>
        <location line="+1" />
        <source>跳至尾页</source>
        <translation>Last page</translation>
    </message>
    <message>
        <location line="+1" />
        <source>设置完成</source>
        <translation>Finish setup</translation>
    </message>
    <message>
        <location line="+88" />
        <source>离线：显示离线参数值。</source>
        <translation>Offline: showing the offline values.</translation>
    </message>
    <message>
        <location line="+14" />
        <source>读取参数失败：请求数据超时，显示的是上次读到的值。</source>
        <translation>Reading the parameters failed: the request timed out. The values shown are the last ones read.</translation>
    </message>
    <message>
        <location line="+29" />
        <source>产品类型</source>
        <translation>Product type</translation>
    </message>
    <message>
        <location line="+84" />
        <source>您的离线信息有修改,是否要保存到dnl文件？</source>
        <translation>Your offline values have changed. Save them to the DNL file?</translation>
    </message>
</context>
<context>
    <name>hesk::app::RestoreCommand</name>
    <message>
        <location filename="../../src/app/RestoreCommand.cpp" line="+39" />
        <source>恢复出厂设置</source>
        <translation>Restore factory settings</translation>
    </message>
    <message>
        <location line="+0" />
        <source>正在恢复出厂设置</source>
        <translation>Restoring factory settings</translation>
    </message>
</context>
<context>
    <name>hesk::app::SpecialValueEditorDialog</name>
    <message>
        <location filename="../../src/app/editors/SpecialValueEditorDialog.cpp" line="+22" />
        <source>修改参数值 </source>
        <translation>Change parameter value </translation>
    </message>
</context>
<context>
    <name>hesk::app::StatusPanes</name>
    <message>
        <location filename="../../src/app/frame/StatusPanes.cpp" line="+14" />
        <source>在线</source>
        <translation>Online</translation>
    </message>
    <message>
        <location line="+1" />
        <source>程序状态:未知</source>
        <translation>Program state: unknown</translation>
    </message>
    <message>
        <location line="+0" />
        <source>CPU使用率: 未知</source>
        <translation>CPU usage: unknown</translation>
    </message>
    <message>
        <location line="+15" />
        <source>      故障</source>
        <translation>      Fault</translation>
    </message>
</context>
<context>
    <name>hesk::app::ThreeWayCompareDialog</name>
    <message>
        <location filename="../../src/app/dialogs/ThreeWayCompareDialog.cpp" line="+25" />
        <source>三方比较（设备/文件/出厂值）</source>
        <translation>Three-way comparison (device/file/factory value)</translation>
    </message>
    <message>
        <location line="+3" />
        <source>请选择要与设备比较的dnl文件</source>
        <translation>Choose the DNL file to compare with the device</translation>
    </message>
    <message>
        <location line="+1" />
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <location line="+1" />
        <source>开始比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <location line="+1" />
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <location line="+1" />
        <source>相同</source>
        <translation>Equal</translation>
    </message>
    <message>
        <location line="+1" />
        <source>不同</source>
        <translation>Different</translation>
    </message>
    <message>
        <location line="+4" />
        <source>主参</source>
        <translation>Parameter</translation>
    </message>
    <message>
        <location line="+0" />
        <source>辅参</source>
        <translation>Index</translation>
    </message>
    <message>
        <location line="+0" />
        <source>参数名称</source>
        <translation>Parameter name</translation>
    </message>
    <message>
        <location line="+4" />
        <source>不同的一方</source>
        <translation>Differs in</translation>
    </message>
    <message>
        <location line="+8" />
        <source>文件：</source>
        <translation>File:</translation>
    </message>
    <message>
        <location line="+29" />
        <source>打开DNL文件</source>
        <translation>Open DNL file</translation>
    </message>
    <message>
        <location line="+23" />
        <source>请先选择要与设备比较的dnl文件！</source>
        <translation>First choose the DNL file to compare with the device.</translation>
    </message>
    <message>
        <location line="+5" />
        <source>无法建立临时文件夹，不能上传设备的参数！</source>
        <translation>No temporary folder could be created; the device's parameters cannot be uploaded.</translation>
    </message>
    <message>
        <location line="+3" />
        <source>正在上传设备的参数...</source>
        <translation>Uploading the device's parameters...</translation>
    </message>
    <message>
        <location line="+9" />
        <source>参数上传没有开始</source>
        <translation>The parameter upload did not start</translation>
    </message>
    <message>
        <location line="+8" />
        <source>参数上传失败，没有比较</source>
        <translation>The parameter upload failed; nothing was compared</translation>
    </message>
    <message>
        <location line="+6" />
        <source>设备的参数无法读取，没有比较</source>
        <translation>The device's parameters could not be read; nothing was compared</translation>
    </message>
    <message>
        <location line="+40" />
        <source>共%1行：相同%2行，不同%3行；显示%4行</source>
        <translation>%1 rows: %2 equal, %3 different; %4 shown</translation>
    </message>
</context>
<context>
    <name>hesk::app::TriggerRecorderWindow</name>
    <message>
        <location filename="../../src/app/recording/TriggerRecorderWindow.cpp" line="+10" />
        <source>触发录波</source>
        <translation>Trigger recorder</translation>
    </message>
    <message>
        <location line="+9" />
        <source>通道设置</source>
        <translation>Channel settings</translation>
    </message>
    <message>
        <location line="+1" />
        <source>立即启动</source>
        <translation>Start now</translation>
    </message>
    <message>
        <location line="+1" />
        <source>触发启动</source>
        <translation>Start on trigger</translation>
    </message>
    <message>
        <location line="+1" />
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location line="+1" />
        <location line="+105" />
        <source>导入数据</source>
        <translation>Import data</translation>
    </message>
    <message>
        <location line="-104" />
        <location line="+126" />
        <source>导出数据</source>
        <translation>Export data</translation>
    </message>
    <message>
        <location line="-125" />
        <location line="+150" />
        <source>保存图片</source>
        <translation>Save picture</translation>
    </message>
    <message>
        <location line="-149" />
        <location line="+170" />
        <source>记录信息</source>
        <translation>Recording information</translation>
    </message>
    <message>
        <location line="-126" />
        <source>已自动保存：</source>
        <translation>Saved automatically: </translation>
    </message>
    <message>
        <location line="+41" />
        <source>录波完成：</source>
        <translation>Recording complete: </translation>
    </message>
    <message>
        <location line="+44" />
        <source>请选择导出文件路径，导出数据任务失败！</source>
        <translation>No file was chosen; the data were not exported.</translation>
    </message>
    <message>
        <location line="+5" />
        <source>文件保存失败！</source>
        <translation>The file could not be saved.</translation>
    </message>
    <message>
        <location line="+4" />
        <source>数据已导出：</source>
        <translation>Data exported: </translation>
    </message>
    <message>
        <location line="+19" />
        <source>图片保存失败！</source>
        <translation>The picture could not be saved.</translation>
    </message>
    <message>
        <location line="+9" />
        <source>当前缓冲没有数据，无记录信息！</source>
        <translation>The buffer holds no data, so there is no recording information.</translation>
    </message>
</context>
<context>
    <name>hesk::app::TriggerSettingsDialog</name>
    <message>
        <location filename="../../src/app/recording/TriggerSettingsDialog.cpp" line="+29" />
        <source>触发设置</source>
        <translation>Trigger settings</translation>
    </message>
    <message>
        <location line="+2" />
        <source>通道设置</source>
        <translation>Channel settings</translation>
    </message>
    <message>
        <location line="+3" />
        <source>通道%1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <location line="+7" />
        <source>数据设置</source>
        <translation>Data settings</translation>
    </message>
    <message>
        <location line="+4" />
        <source>采样周期</source>
        <translation>Sampling period</translation>
    </message>
    <message>
        <location line="+3" />
        <source>预触发</source>
        <translation>Pre-trigger</translation>
    </message>
    <message>
        <location line="+4" />
        <source>触发条件</source>
        <translation>Trigger condition</translation>
    </message>
    <message>
        <location line="+2" />
        <source>条件1</source>
        <translation>Condition 1</translation>
    </message>
    <message>
        <location line="+1" />
        <source>条件2</source>
        <translation>Condition 2</translation>
    </message>
    <message>
        <location line="+1" />
        <source>故障触发</source>
        <translation>Trigger on fault</translation>
    </message>
    <message>
        <location line="+15" />
        <source>Bit位</source>
        <translation>Bit</translation>
    </message>
    <message>
        <location line="+24" />
        <source>触发值(%)</source>
        <translation>Trigger value (%)</translation>
    </message>
    <message>
        <location line="+8" />
        <source>启动方式</source>
        <translation>Start mode</translation>
    </message>
    <message>
        <location line="+9" />
        <source>连续触发保存路径</source>
        <translation>Save folder for continuous triggering</translation>
    </message>
    <message>
        <location line="+5" />
        <location line="+106" />
        <source>保存配置文件</source>
        <translation>Save configuration file</translation>
    </message>
    <message>
        <location line="-105" />
        <source>加载配置文件</source>
        <translation>Load configuration file</translation>
    </message>
    <message>
        <location line="+121" />
        <source>选择配置文件</source>
        <translation>Choose configuration file</translation>
    </message>
</context>
<context>
    <name>hesk::app::UploadCommand</name>
    <message>
        <location filename="../../src/app/UploadCommand.cpp" line="+61" />
        <source>参数上传</source>
        <translation>Upload parameters</translation>
    </message>
    <message>
        <location line="+0" />
        <source>等待下位机上传参数...</source>
        <translation>Waiting for the drive to upload the parameters...</translation>
    </message>
</context>
<context>
    <name>hesk::app::ValueEditing</name>
    <message>
        <location filename="../../src/app/editors/ValueEditing.cpp" line="+54" />
        <location line="+35" />
        <source>请求数据超时，请您重新尝试！</source>
        <translation>The request timed out. Please try again.</translation>
    </message>
</context>
<context>
    <name>hesk::app::ValueEditorDialog</name>
    <message>
        <location filename="../../src/app/editors/ValueEditorDialog.cpp" line="+22" />
        <source>修改参数值</source>
        <translation>Change parameter value</translation>
    </message>
    <message>
        <location line="+3" />
        <source>参数值</source>
        <translation>Parameter value</translation>
    </message>
    <message>
        <location line="+7" />
        <source>参数范围：</source>
        <translation>Range:</translation>
    </message>
    <message>
        <location line="+7" />
        <source>小提示</source>
        <translation>Tips</translation>
    </message>
    <message>
        <location line="+2" />
        <source>二进制数只允许输入“0”或“1”</source>
        <translation>Binary numbers: only "0" or "1"</translation>
    </message>
    <message>
        <location line="+1" />
        <source>十进制数只允许输入“0”~“9”、“.”或“-”</source>
        <translation>Decimal numbers: only "0" to "9", "." or "-"</translation>
    </message>
    <message>
        <location line="+1" />
        <source>十六进制数“0x”或“0X”后只允许输入“0~9”、“a~f”或“A~F”</source>
        <translation>Hexadecimal numbers: after "0x" or "0X" only "0-9", "a-f" or "A-F"</translation>
    </message>
</context>
<context>
    <name>hesk::app::WaveformPanel</name>
    <message>
        <location filename="../../src/app/charts/WaveformPanel.cpp" line="+64" />
        <source>显示</source>
        <translation>Show</translation>
    </message>
    <message>
        <location line="+13" />
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <location line="+14" />
        <source>bit位</source>
        <translation>Bit</translation>
    </message>
    <message>
        <location line="+38" />
        <source>XY游标</source>
        <translation>XY cursors</translation>
    </message>
    <message>
        <location line="+7" />
        <location line="+5" />
        <source>游标锁定</source>
        <translation>Lock cursors</translation>
    </message>
    <message>
        <location line="+0" />
        <source>解除锁定</source>
        <translation>Unlock</translation>
    </message>
    <message>
        <location line="+2" />
        <source>坐标范围</source>
        <translation>Axis ranges</translation>
    </message>
    <message>
        <location line="+5" />
        <source>Y轴范围</source>
        <translation>Y range</translation>
    </message>
    <message>
        <location line="+66" />
        <source>通道%1无数据信号</source>
        <translation>Channel %1: no data signal</translation>
    </message>
    <message>
        <location line="+1" />
        <source>通道%1</source>
        <translation>Channel %1</translation>
    </message>
</context>
</TS>