<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>关于Quorvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;h2&gt;Quorvane&lt;/h2&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvane，不仅是强大的工具，更是您思想与知识的延伸。​​ 开启Quorvane，构建您永不磨损的私人藏馆。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;a href=&quot;https://quorvane.example/&quot;&gt;访问官方网站&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>© 2026 Quorvane 团队，保留所有权利。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>版本: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>AppearanceController</name>
    <message>
        <source>选择文字颜色</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择背景颜色</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BookFileReader</name>
    <message>
        <source>文件不存在。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是一个文件夹，不是文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有读取这个文件的权限。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开这个文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读取文件时出错。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件在读取时被改动了，请稍后再打开。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件是空的。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这不是普通文件（而是设备、管道或其他特殊文件），无法作为书打开。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件太大（超过 %1 MB），无法打开。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BookPropertiesDialog</name>
    <message>
        <source>书籍属性</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>书名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>位置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>大小</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件已不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>指定编码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>进度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未读</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上次阅读</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>阅读时长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不到 1 分钟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 分钟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 小时 %2 分钟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>程序自带的示例书</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在查看……</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BookmarksDialog</name>
    <message>
        <source>书签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>页码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跳转</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>【%1】%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BookshelfWidget</name>
    <message>
        <source>%1
文件已不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1
已读 %2%</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChapterRule</name>
    <message>
        <source>自动识别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“第…章”“第…回”“第…节”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“Chapter N”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“一、”开头的行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只有数字的行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正则表达式</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ChapterRuleDialog</name>
    <message>
        <source>章节规则</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>章节标题：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正则表达式：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>例如 ^第.+章</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入正则表达式。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正则表达式有误：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有找到章节标题，目录将按段落分节。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找到 %1 个章节标题。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CleanupRuleEditor</name>
    <message>
        <source>清理规则</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名称：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查找：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内容：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找到后：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>替换为：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用于：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>纯文本</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正则表达式</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删去整行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>替换找到的文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本书</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所有书籍</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入要查找的文字。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正则表达式有误：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CleanupRules</name>
    <message>
        <source>文件不是有效的 JSON：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件里没有清理规则。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 条规则无法使用。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CleanupRulesDialog</name>
    <message>
        <source>清理规则</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清理规则只用于书籍排版；原文排版按文件原样显示每一行。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编辑…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在本书上测试</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在统计…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清理规则从本书去掉了 %1 行，改动了 %2 行。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所有书籍</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本书</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：%1 行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有导入：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入了 %1 条规则。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法写入文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出了 %1 条规则。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON 文件 (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出清理规则</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清理规则.json</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入清理规则</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ContentsController</name>
    <message>
        <source>目录</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ContentsPage</name>
    <message>
        <source>查找章节</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>本书没有章节</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EncodingDialog</name>
    <message>
        <source>选择编码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>筛选编码，例如 GBK、Big5、日文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编码</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unicode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unicode（最常见）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unicode，小端序（Windows 的“Unicode”）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unicode，大端序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unicode 四字节，小端序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unicode 四字节，大端序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>国标（含 GBK、GB2312）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HZ（旧时的邮件与新闻组）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO-2022 中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>大五码（台湾、香港）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EUC 繁体中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shift_JIS（Windows 日文）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EUC 日文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO-2022 日文（邮件）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>韩文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows 韩文（含 EUC-KR）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO-2022 韩文（邮件）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>西里尔文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows 西里尔文（俄文等）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>KOI8 俄文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DOS 俄文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 西里尔文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DOS 西里尔文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mac 西里尔文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>西欧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows 西欧（英文、法文、德文等）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 西欧（含欧元符号）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 南欧（马耳他文、世界语）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 北欧（旧）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 土耳其文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 北欧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>波罗的海文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 波罗的海文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows 波罗的海文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中欧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows 中欧（波兰文、捷克文等）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 中欧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DOS 中欧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mac 中欧</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>希腊文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows 希腊文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 希腊文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>希伯来文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows 希伯来文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 希伯来文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>阿拉伯文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows 阿拉伯文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 阿拉伯文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>泰文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>TIS 泰文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ISO 泰文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>越南文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows 越南文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检测到的编码：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>自动检测</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按本书的内容决定</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>其他</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中文（简体）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>中文（繁体）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FileLoader</name>
    <message>
        <source>系统资源不足，无法读取文件。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件里没有可以显示的文字。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LayoutPreview</name>
    <message>
        <source>第一章 雨夜
&#x3000;&#x3000;雨下了整整一夜，到天亮才停。院子里的石榴树落了一地的花，红得像撒了一层胭脂。
&#x3000;&#x3000;她推开窗，说：“今年的花开得早——也谢得早……”没有人回答她。远处传来几声鸡叫，接着是挑水人的扁担吱呀吱呀地响过巷口。
&#x3000;&#x3000;她想起《山居笔记》里的一句话，又想起那年的春天。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LibraryDatabase</name>
    <message>
        <source>书库文件已损坏，已改名为“%1”保存，并新建了一个空书库。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>书库文件由更新版本的 Lexorin 写入。为免损坏它，本次不会记住阅读位置。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开书库文件“%1”，本次不会记住阅读位置。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存阅读位置：磁盘可能已满，或书库正被另一个窗口占用。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LineCleaner</name>
    <message>
        <source>只有网址的行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>夹着杂乱符号的网站名</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Lexorin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>阅读页面</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>书架</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开书籍文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvane - 未打开文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>显示/隐藏搜索按钮</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缩小窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全屏窗口</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关闭程序</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>搜索框</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>搜索内容 (按Enter搜索)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>搜索</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 0 页/共 0 页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跳转页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>放大字体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缩小字体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>主题设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上一页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>下一页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确认重置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>确定要重置应用程序吗？
这将清除所有设置和书架上的全部书籍。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>重置完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应用程序已重置为初始状态。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择字体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>书香满屋，灯下夜读 AaBbYyZz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>简体中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>繁體中文</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>一键重置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>关于Quorvane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>章节另起一页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>简繁转换</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>按原文显示</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>简体转繁体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>简体转繁体（台湾）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>简体转繁体（香港）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>繁体转简体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>繁体（台湾）转简体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>繁体（香港）转简体</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仅用于本书</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>主题</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>日间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>羊皮纸</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>护眼</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>夜间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>书籍排版</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>偏好设置…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>书签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>为本页添加或删除书签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>书签列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>查看本书的书签</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编码…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用另一种编码重新打开本书</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>宽窗口双页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>章节规则…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清理规则…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PagePresenter</name>
    <message>
        <source>第 %1 页/共 %2 页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页/共 %2+ 页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加载中...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>跳转到页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入页码 (1-%1):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvane - 书架空空如也</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvane - 共有 %1 本书</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quorvane - 未打开文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开书籍</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开“%1”：
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”中有 %2 个字节无法识别，已显示为 �。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>约第 %1 页/共约 %2 页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入页码 (1-约%1):</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PreferencesDialog</name>
    <message>
        <source>偏好设置</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排版</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>版式：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原样（按文件的行）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>书籍排版</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>行距：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>段距：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>首行缩进：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>页边距：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窄</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正常</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>宽</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>两端对齐</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>窗口够宽时，像翻开的书一样并排显示两页</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>宽窗口双页</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchController</name>
    <message>
        <source>已从另一端继续搜索</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>搜索</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已回到文档开头继续搜索</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未找到文本: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>全部结果</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SearchResultsList</name>
    <message>
        <source>正在查找“%1”……</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”共找到 %2 处</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>书还在分页，只查找了已分好的 %1 页。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>无法保存设置和书架：磁盘可能已满，或设置文件无法写入。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShelfContextMenu</name>
    <message>
        <source>打开</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>从书架移除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开所在文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>属性</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>最近阅读</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ShelfController</name>
    <message>
        <source>已找到 %1 个文本文件……</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开TXT文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文本文件 (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>选择文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>正在扫描文件夹……</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>扫描文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>扫描已取消</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>扫描已取消，取消前找到的 %1 个文本文件没有加入书架。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>扫描结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未找到任何文本文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>扫描完成</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>共找到 %1 个文本文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>从书架移除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>要把“%1”从书架上移除吗？
文件不会删除；阅读位置和书签会保留，再次添加这本书时恢复。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”已不存在。
要把它从书架上移除吗？阅读位置和书签会保留。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>书库</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Lexorin 已在运行，但它的窗口没有响应。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
