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
        <translation>Save the bytes as C constants (0x05,0x01,)?
No saves them as plain hex (05 01).</translation>
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
        <source>数组 (array)</source>
        <translation>array</translation>
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
        <source>问题与修正</source>
        <translation>Problem and fix</translation>
    </message>
    <message>
        <source>转到</source>
        <translation>Go to</translation>
    </message>
</context>
</TS>
