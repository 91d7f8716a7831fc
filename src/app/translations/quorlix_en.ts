<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CQuorlixDlg</name>
    <message>
        <source>关于 Quorlix</source>
        <translation>About Quorlix</translation>
    </message>
    <message>
        <source>版本 1.5</source>
        <translation>Version 1.5</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>是否存储成带0x格式？</source>
        <translation>Save the bytes as C constants (0x05,0x01,) or as plain text (05 01)?</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>完整用法名称</source>
        <translation>Full usage names</translation>
    </message>
    <message>
        <source>浏览...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>存储</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>路径：</source>
        <translation>Path:</translation>
    </message>
    <message>
        <source>关于 Quorlix(&amp;A)...</source>
        <translation>&amp;About Quorlix...</translation>
    </message>
    <message>
        <source>偏移</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>数据</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>数移</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>HID规范教程</source>
        <translation>HID guide</translation>
    </message>
    <message>
        <source>HID报告描述符大全</source>
        <translation>Descriptor library</translation>
    </message>
    <message>
        <source>下载更新</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>USB虚拟设备</source>
        <translation>Virtual USB</translation>
    </message>
    <message>
        <source>USB令牌/抓包</source>
        <translation>USB capture</translation>
    </message>
    <message>
        <source>描述符文件</source>
        <translation>Descriptor files</translation>
    </message>
    <message>
        <source>问题列表</source>
        <translation>Problems</translation>
    </message>
    <message>
        <source>所有文件</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>从设备读取…</source>
        <translation>Read from device…</translation>
    </message>
    <message>
        <source>比较…</source>
        <translation>Compare…</translation>
    </message>
    <message>
        <source>比较</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>另一个描述符(&amp;P):</source>
        <translation>Other &amp;descriptor:</translation>
    </message>
    <message>
        <source>比较(&amp;C)</source>
        <translation>&amp;Compare</translation>
    </message>
    <message>
        <source>还没有分析描述符：先分析一个，再比较</source>
        <translation>No descriptor analysed yet: analyse one, then compare it</translation>
    </message>
    <message>
        <source>解码报告…</source>
        <translation>Decode report…</translation>
    </message>
    <message>
        <source>解码报告</source>
        <translation>Decode report</translation>
    </message>
    <message>
        <source>输入 (Input)</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>输出 (Output)</source>
        <translation>Output</translation>
    </message>
    <message>
        <source>特征 (Feature)</source>
        <translation>Feature</translation>
    </message>
    <message>
        <source>报告 (hex)(&amp;R):</source>
        <translation>&amp;Report (hex):</translation>
    </message>
    <message>
        <source>类型(&amp;T):</source>
        <translation>&amp;Type:</translation>
    </message>
    <message>
        <source>用法</source>
        <translation>Usage</translation>
    </message>
    <message>
        <source>位</source>
        <translation>Bits</translation>
    </message>
    <message>
        <source>原始值</source>
        <translation>Raw</translation>
    </message>
    <message>
        <source>逻辑值</source>
        <translation>Logical</translation>
    </message>
    <message>
        <source>物理值</source>
        <translation>Physical</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>从设备读取</source>
        <translation>Read from device</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>厂商:产品</source>
        <translation>Vendor:Product</translation>
    </message>
    <message>
        <source>总线</source>
        <translation>Bus</translation>
    </message>
    <message>
        <source>接口</source>
        <translation>Interface</translation>
    </message>
    <message>
        <source>读取</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>严重性</source>
        <translation>Severity</translation>
    </message>
    <message>
        <source>检查</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>转到</source>
        <translation>Go To</translation>
    </message>
    <message>
        <source>C 常量</source>
        <translation>C constants</translation>
    </message>
    <message>
        <source>纯文本</source>
        <translation>Plain text</translation>
    </message>
    <message>
        <source>问题列表…</source>
        <translation>Problems…</translation>
    </message>
    <message>
        <source>输入或拖入描述符文件，然后按“分析”</source>
        <translation>Type or drop a descriptor file, then press Analyse</translation>
    </message>
    <message>
        <source>%1：%2，没有写出十六进制转储</source>
        <translation>%1: %2; no hex dump was written</translation>
    </message>
    <message>
        <source>无法写出十六进制转储：%1</source>
        <translation>cannot write the hex dump: %1</translation>
    </message>
    <message>
        <source>已选择 %1，按“分析”分析它</source>
        <translation>chose %1; Analyse analyses it</translation>
    </message>
    <message>
        <source>无法存储 %1：%2</source>
        <translation>cannot save %1: %2</translation>
    </message>
    <message>
        <source>还没有分析描述符：先分析一个，再解码它的报告</source>
        <translation>no descriptor analysed yet: analyse one to decode its reports</translation>
    </message>
    <message>
        <source>问题 %1/%2，%3：%4；%5</source>
        <translation>problem %1/%2, %3: %4; %5</translation>
    </message>
    <message>
        <source>没有可转到的问题</source>
        <translation>no problem to go to</translation>
    </message>
    <message>
        <source>无法读取</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>节点</source>
        <translation>Node</translation>
    </message>
    <message>
        <source>描述符长度</source>
        <translation>Descriptor length</translation>
    </message>
    <message>
        <source>没有找到 HID 设备</source>
        <translation>no HID devices found</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>English</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>error</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>无问题</source>
        <translation>no problems found</translation>
    </message>
    <message>
        <source>%1，%2，%3</source>
        <translation>%1, %2, %3</translation>
    </message>
    <message>
        <source>%1：%2；%3 [%4]</source>
        <translation>%1: %2; %3 [%4]</translation>
    </message>
    <message>
        <source>详情：%1；%2</source>
        <translation>details: %1; %2</translation>
    </message>
    <message>
        <source>显示：</source>
        <translation>Show:</translation>
    </message>
    <message>
        <source>错误(&amp;E)</source>
        <translation>&amp;Errors</translation>
    </message>
    <message>
        <source>警告(&amp;W)</source>
        <translation>&amp;Warnings</translation>
    </message>
    <message>
        <source>提示(&amp;N)</source>
        <translation>&amp;Notes</translation>
    </message>
    <message>
        <source>问题</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>修正</source>
        <translation>Fix</translation>
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
        <source>文本文件</source>
        <translation>Text files</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>没有权限</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>这是一个文件夹</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>(无路径)</source>
        <translation>(no path)</translation>
    </message>
    <message>
        <source>C 源代码</source>
        <translation>C source</translation>
    </message>
    <message>
        <source>二进制</source>
        <translation>binary</translation>
    </message>
    <message>
        <source>hid-recorder 输出</source>
        <translation>hid-recorder output</translation>
    </message>
    <message>
        <source>usbhid-dump 输出</source>
        <translation>usbhid-dump output</translation>
    </message>
    <message>
        <source>十六进制转储</source>
        <translation>hex dump</translation>
    </message>
    <message>
        <source>lsusb 输出</source>
        <translation>lsusb output</translation>
    </message>
    <message>
        <source>存储的分析</source>
        <translation>saved analysis</translation>
    </message>
    <message>
        <source>十六进制文本</source>
        <translation>hex text</translation>
    </message>
    <message>
        <source>无法打开文件</source>
        <translation>cannot open file</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>文件太大（超过 %1 字节）</source>
        <translation>file too large (more than %1 bytes)</translation>
    </message>
    <message>
        <source>字节太多，不是描述符（超过 %1 字节）</source>
        <translation>too many bytes for a descriptor (more than %1)</translation>
    </message>
    <message>
        <source>无法读取文件</source>
        <translation>cannot read file</translation>
    </message>
    <message>
        <source>没有十六进制数字</source>
        <translation>no hex digits</translation>
    </message>
    <message>
        <source>没有这个描述符</source>
        <translation>no such descriptor</translation>
    </message>
    <message>
        <source>%1：%2，未分析任何内容</source>
        <translation>%1: %2; nothing was analysed</translation>
    </message>
    <message>
        <source>第 %1 个描述符，共 %2 个</source>
        <translation>descriptor %1 of %2</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 列：%3</source>
        <translation>%1:%2: %3</translation>
    </message>
    <message>
        <source>已达上限，部分报告字段未保留</source>
        <translation>a bound was reached: some report fields were not kept</translation>
    </message>
    <message>
        <source>已达上限，布局文本被截短</source>
        <translation>a bound was reached: the layout text was cut short</translation>
    </message>
    <message>
        <source>（F8 逐个查看）</source>
        <translation> (F8 steps through them)</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>提示</source>
        <comment>severity</comment>
        <translation>note</translation>
    </message>
    <message numerus="yes">
        <source>%n 字节</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个错误</source>
        <translation>
            <numerusform>%n error</numerusform>
            <numerusform>%n errors</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个警告</source>
        <translation>
            <numerusform>%n warning</numerusform>
            <numerusform>%n warnings</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n 个提示</source>
        <translation>
            <numerusform>%n note</numerusform>
            <numerusform>%n notes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已分析 %n 字节</source>
        <translation>
            <numerusform>analysed %n byte</numerusform>
            <numerusform>analysed %n bytes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>已分析 %n 字节（%1）</source>
        <translation>
            <numerusform>analysed %n byte (%1)</numerusform>
            <numerusform>analysed %n bytes (%1)</numerusform>
        </translation>
    </message>
    <message>
        <source>已达上限，用法列表被截短</source>
        <translation>a bound was reached: a usage list was cut short</translation>
    </message>
    <message>
        <source>过大而无法计算的尺寸按其最大值显示</source>
        <translation>a size too large to count is shown at its largest value</translation>
    </message>
    <message>
        <source>输出</source>
        <translation>output</translation>
    </message>
    <message>
        <source>特征</source>
        <translation>feature</translation>
    </message>
    <message>
        <source>输入</source>
        <translation>input</translation>
    </message>
    <message>
        <source>%1报告 %2</source>
        <translation>%1 report %2</translation>
    </message>
    <message>
        <source>%1报告</source>
        <translation>%1 report</translation>
    </message>
    <message>
        <source>编号 %1，%2</source>
        <translation>id %1, %2</translation>
    </message>
    <message>
        <source>描述符没有声明%1报告</source>
        <translation>the descriptor declares no %1 report</translation>
    </message>
    <message>
        <source>%1报告：%2</source>
        <translation>%1 reports: %2</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>报告是空的</source>
        <translation>empty report</translation>
    </message>
    <message>
        <source>没有编号为 %2 的%1报告</source>
        <translation>no %1 report with id %2</translation>
    </message>
    <message>
        <source>%1 应有 %2，而不是 %3</source>
        <translation>%1 takes %2, not %3</translation>
    </message>
    <message>
        <source>%1 有 %2，超过解码的上限 %3</source>
        <translation>%1 takes %2, more than the %3 the decoder takes</translation>
    </message>
    <message>
        <source>%1（%2，多个顶层集合共用的一个报告）</source>
        <translation>%1 (%2, one report of several top-level collections)</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>无法读取：请输入十六进制字节（如 01 05 FB），或 hid-recorder 的 E: 事件行</source>
        <translation>cannot read: type hex bytes (such as 01 05 FB) or a hid-recorder E: event line</translation>
    </message>
    <message>
        <source>数组</source>
        <translation>array</translation>
    </message>
    <message>
        <source>无</source>
        <translation>none</translation>
    </message>
    <message>
        <source>空值</source>
        <translation>null</translation>
    </message>
    <message>
        <source>等价：两个描述符的含义相同</source>
        <translation>equivalent: both descriptors mean the same</translation>
    </message>
    <message>
        <source>兼容：只有新增，旧的报告照旧解码为相同的值</source>
        <translation>compatible: only additions; old reports decode to the same values</translation>
    </message>
    <message>
        <source>不兼容：旧的读取方依赖的内容改变或消失了</source>
        <translation>incompatible: something an old reader relies on changed or went away</translation>
    </message>
    <message>
        <source>列出设备时出错：%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>仅 HID 规则</source>
        <translation>HID rules only</translation>
    </message>
    <message>
        <source>主机(&amp;H)：</source>
        <translation>&amp;Host:</translation>
    </message>
    <message>
        <source>来源</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>%1：没有选择描述符，未分析任何内容</source>
        <translation>%1: no descriptor chosen, nothing analysed</translation>
    </message>
    <message>
        <source>报告描述符</source>
        <translation>report descriptor</translation>
    </message>
    <message>
        <source>不像报告描述符</source>
        <translation>not like a report descriptor</translation>
    </message>
    <message>
        <source>选择描述符</source>
        <translation>Choose a descriptor</translation>
    </message>
    <message numerus="yes">
        <source>这个文件含有 %n 个描述符，选择要分析的一个：</source>
        <translation>
            <numerusform>This file holds %n descriptor; choose the one to analyse:</numerusform>
            <numerusform>This file holds %n descriptors; choose the one to analyse:</numerusform>
        </translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>行</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>长度</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Content</translation>
    </message>
    <message>
        <source>已选择 %1（USB 捕获），按“分析”分析它</source>
        <translation>chose %1 (a USB capture); Analyse analyses it</translation>
    </message>
    <message>
        <source>USB 捕获</source>
        <translation>USB captures</translation>
    </message>
    <message>
        <source>不是 USB 捕获</source>
        <translation>not a USB capture</translation>
    </message>
    <message>
        <source>链路类型 %1 不含 USB 数据包（可读取 usbmon 和 USBPcap 捕获）</source>
        <translation>link type %1 holds no USB packets (usbmon and USBPcap captures are read)</translation>
    </message>
    <message>
        <source>捕获文件的文件头已损坏或被截断</source>
        <translation>the capture&apos;s file header is broken or cut short</translation>
    </message>
    <message>
        <source>捕获文件在第 %1 帧处损坏或被截断</source>
        <translation>the capture is broken or cut short at frame %1</translation>
    </message>
    <message>
        <source>这个捕获不含报告描述符（捕获时设备是否已插上？）</source>
        <translation>the capture holds no report descriptor (was the device plugged in while it ran?)</translation>
    </message>
    <message>
        <source>%1，%2</source>
        <translation>%1, %2</translation>
    </message>
    <message numerus="yes">
        <source>已分析 %n 字节（USB 捕获中 %1 的描述符）</source>
        <translation>
            <numerusform>analysed %n byte (the descriptor of %1 in a USB capture)</numerusform>
            <numerusform>analysed %n bytes (the descriptor of %1 in a USB capture)</numerusform>
        </translation>
    </message>
    <message>
        <source>描述符被捕获截短</source>
        <translation>the capture cut the descriptor short</translation>
    </message>
    <message numerus="yes">
        <source>读取捕获时有 %n 个警告</source>
        <translation>
            <numerusform>%n warning reading the capture</numerusform>
            <numerusform>%n warnings reading the capture</numerusform>
        </translation>
    </message>
    <message>
        <source>列出设备时出错，列表可能不完整</source>
        <translation>listing the devices failed; the list may be incomplete</translation>
    </message>
    <message>
        <source>路径中有一部分不是文件夹</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>符号链接层数过多</source>
        <translation>Too many levels of symbolic links</translation>
    </message>
    <message>
        <source>文件名太长</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>输入/输出错误</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>Cannot allocate memory</translation>
    </message>
    <message>
        <source>文件太大</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>超出磁盘配额</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>文件系统是只读的</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>打开的文件太多</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>设备不存在</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>设备或资源忙</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>文件正被使用</source>
        <translation>Text file busy</translation>
    </message>
    <message>
        <source>参数无效</source>
        <translation>Invalid argument</translation>
    </message>
    <message>
        <source>资源暂时不可用</source>
        <translation>Resource temporarily unavailable</translation>
    </message>
    <message>
        <source>操作被中断</source>
        <translation>Interrupted system call</translation>
    </message>
    <message>
        <source>系统错误 %1</source>
        <translation>system error %1</translation>
    </message>
    <message>
        <source>空的二进制文件</source>
        <translation>empty binary file</translation>
    </message>
    <message>
        <source>这段%1中没有描述符字节</source>
        <translation>no descriptor bytes in this %1</translation>
    </message>
    <message>
        <source>第 %1 行格式有误</source>
        <translation>malformed at line %1</translation>
    </message>
    <message>
        <source>%1第 %2 行格式有误</source>
        <translation>malformed %1 at line %2</translation>
    </message>
    <message>
        <source>格式有误</source>
        <translation>malformed input</translation>
    </message>
    <message>
        <source>%1格式有误</source>
        <translation>malformed %1</translation>
    </message>
    <message>
        <source>没有这个名称的数组</source>
        <translation>no array of that name</translation>
    </message>
    <message>
        <source>文件含有多个描述符，无法确定分析哪一个</source>
        <translation>the file holds several descriptors and none is clearly the one to analyse</translation>
    </message>
    <message>
        <source>没有一种描述符格式能准确读取这段文本</source>
        <translation>no form of descriptor reads this text exactly</translation>
    </message>
    <message>
        <source>第 %1 行第 %2 列有读取警告</source>
        <translation>%1:%2: a warning from the reader</translation>
    </message>
</context>
</TS>
