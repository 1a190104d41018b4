<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
    <context>
        <name>AboutDialog</name>
        <message>
            <source>关于Quorvane</source>
            <translation>About Quorvane</translation>
        </message>
        <message>
            <source>&lt;h2&gt;Quorvane&lt;/h2&gt;</source>
            <translation>&lt;h2&gt;Quorvane&lt;/h2&gt;</translation>
        </message>
        <message>
            <source>Quorvane，不仅是强大的工具，更是您思想与知识的延伸。​​ 开启Quorvane，构建您永不磨损的私人藏馆。</source>
            <translation>Quorvane is not just a powerful tool, but an extension of your thoughts and knowledge. Open Quorvane to build your never-wearing private library.</translation>
        </message>
        <message>
            <source>&lt;a href="https://quorvane.example/"&gt;访问官方网站&lt;/a&gt;</source>
            <translation>&lt;a href="https://quorvane.example/"&gt;Visit Official Website&lt;/a&gt;</translation>
        </message>
        <message>
            <source>© 2026 Quorvane 团队，保留所有权利。</source>
            <translation>© 2026 The Quorvane Team</translation>
        </message>
        <message>
            <source>版本: %1</source>
            <translation>Version: %1</translation>
        </message>
    </context>
    <context>
        <name>AppearanceController</name>
        <message>
            <source>选择文字颜色</source>
            <translation>Select Text Color</translation>
        </message>
        <message>
            <source>选择背景颜色</source>
            <translation>Select Background Color</translation>
        </message>
    </context>
    <context>
        <name>BookFileReader</name>
        <message>
            <source>文件不存在。</source>
            <translation>The file does not exist.</translation>
        </message>
        <message>
            <source>这是一个文件夹，不是文件。</source>
            <translation>This is a folder, not a file.</translation>
        </message>
        <message>
            <source>没有读取这个文件的权限。</source>
            <translation>You do not have permission to read this file.</translation>
        </message>
        <message>
            <source>无法打开这个文件。</source>
            <translation>This file cannot be opened.</translation>
        </message>
        <message>
            <source>读取文件时出错。</source>
            <translation>An error occurred while reading the file.</translation>
        </message>
        <message>
            <source>文件在读取时被改动了，请稍后再打开。</source>
            <translation>The file changed while it was being read. Please open it again later.</translation>
        </message>
        <message>
            <source>文件是空的。</source>
            <translation>The file is empty.</translation>
        </message>
        <message>
            <source>这不是普通文件（而是设备、管道或其他特殊文件），无法作为书打开。</source>
            <translation>This is not a regular file (it is a device, a pipe or another special file), so it cannot be opened as a book.</translation>
        </message>
        <message>
            <source>文件太大（超过 %1 MB），无法打开。</source>
            <translation>The file is too large (over %1 MB) to open.</translation>
        </message>
    </context>
    <context>
        <name>BookPropertiesDialog</name>
        <message>
            <source>书籍属性</source>
            <translation>Book Properties</translation>
        </message>
        <message>
            <source>书名</source>
            <translation>Title</translation>
        </message>
        <message>
            <source>位置</source>
            <translation>Location</translation>
        </message>
        <message>
            <source>大小</source>
            <translation>Size</translation>
        </message>
        <message>
            <source>文件已不存在</source>
            <translation>The file no longer exists</translation>
        </message>
        <message>
            <source>编码</source>
            <translation>Encoding</translation>
        </message>
        <message>
            <source>未知</source>
            <translation>Unknown</translation>
        </message>
        <message>
            <source>指定编码</source>
            <translation>Chosen encoding</translation>
        </message>
        <message>
            <source>进度</source>
            <translation>Progress</translation>
        </message>
        <message>
            <source>%1%</source>
            <translation>%1%</translation>
        </message>
        <message>
            <source>未读</source>
            <translation>Not read yet</translation>
        </message>
        <message>
            <source>上次阅读</source>
            <translation>Last read</translation>
        </message>
        <message>
            <source>阅读时长</source>
            <translation>Reading time</translation>
        </message>
        <message>
            <source>不到 1 分钟</source>
            <translation>Less than a minute</translation>
        </message>
        <message>
            <source>%1 分钟</source>
            <translation>%1 min</translation>
        </message>
        <message>
            <source>%1 小时 %2 分钟</source>
            <translation>%1 h %2 min</translation>
        </message>
        <message>
            <source>程序自带的示例书</source>
            <translation>A sample book that comes with the program</translation>
        </message>
        <message>
            <source>正在查看……</source>
            <translation>Looking…</translation>
        </message>
    </context>
    <context>
        <name>BookmarksDialog</name>
        <message>
            <source>书签</source>
            <translation>Bookmark</translation>
        </message>
        <message>
            <source>内容</source>
            <translation>Text</translation>
        </message>
        <message>
            <source>页码</source>
            <translation>Page</translation>
        </message>
        <message>
            <source>日期</source>
            <translation>Date</translation>
        </message>
        <message>
            <source>跳转</source>
            <translation>Go To</translation>
        </message>
        <message>
            <source>删除</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>【%1】%2</source>
            <translation>[%1] %2</translation>
        </message>
    </context>
    <context>
        <name>BookshelfWidget</name>
        <message>
            <source>%1
文件已不存在</source>
            <translation>%1
The file no longer exists</translation>
        </message>
        <message>
            <source>%1
已读 %2%</source>
            <translation>%1
%2% read</translation>
        </message>
    </context>
    <context>
        <name>ChapterRule</name>
        <message>
            <source>自动识别</source>
            <translation>Find automatically</translation>
        </message>
        <message>
            <source>“第…章”“第…回”“第…节”</source>
            <translation>“第…章”, “第…回”, “第…节”</translation>
        </message>
        <message>
            <source>“Chapter N”</source>
            <translation>“Chapter N”</translation>
        </message>
        <message>
            <source>“一、”开头的行</source>
            <translation>Lines starting with “一、”</translation>
        </message>
        <message>
            <source>只有数字的行</source>
            <translation>Lines holding only a number</translation>
        </message>
        <message>
            <source>正则表达式</source>
            <translation>Regular expression</translation>
        </message>
    </context>
    <context>
        <name>ChapterRuleDialog</name>
        <message>
            <source>章节规则</source>
            <translation>Chapter Rule</translation>
        </message>
        <message>
            <source>章节标题：</source>
            <translation>Headings:</translation>
        </message>
        <message>
            <source>正则表达式：</source>
            <translation>Regular expression:</translation>
        </message>
        <message>
            <source>例如 ^第.+章</source>
            <translation>For example ^Chapter \d+</translation>
        </message>
        <message>
            <source>请输入正则表达式。</source>
            <translation>Type a regular expression.</translation>
        </message>
        <message>
            <source>正则表达式有误：%1</source>
            <translation>The regular expression is wrong: %1</translation>
        </message>
        <message>
            <source>没有找到章节标题，目录将按段落分节。</source>
            <translation>No headings found; the contents will be split into passages.</translation>
        </message>
        <message>
            <source>找到 %1 个章节标题。</source>
            <translation>Found %1 headings.</translation>
        </message>
    </context>
    <context>
        <name>CleanupRuleEditor</name>
        <message>
            <source>清理规则</source>
            <translation>Clean-up Rules</translation>
        </message>
        <message>
            <source>名称：</source>
            <translation>Name:</translation>
        </message>
        <message>
            <source>查找：</source>
            <translation>Look for:</translation>
        </message>
        <message>
            <source>内容：</source>
            <translation>Text:</translation>
        </message>
        <message>
            <source>找到后：</source>
            <translation>When found:</translation>
        </message>
        <message>
            <source>替换为：</source>
            <translation>Replace with:</translation>
        </message>
        <message>
            <source>用于：</source>
            <translation>Applies to:</translation>
        </message>
        <message>
            <source>纯文本</source>
            <translation>Plain text</translation>
        </message>
        <message>
            <source>正则表达式</source>
            <translation>Regular expression</translation>
        </message>
        <message>
            <source>删去整行</source>
            <translation>Remove the whole line</translation>
        </message>
        <message>
            <source>替换找到的文字</source>
            <translation>Replace what is found</translation>
        </message>
        <message>
            <source>本书</source>
            <translation>this book</translation>
        </message>
        <message>
            <source>所有书籍</source>
            <translation>all books</translation>
        </message>
        <message>
            <source>请输入要查找的文字。</source>
            <translation>Type what to look for.</translation>
        </message>
        <message>
            <source>正则表达式有误：%1</source>
            <translation>The regular expression is wrong: %1</translation>
        </message>
    </context>
    <context>
        <name>CleanupRules</name>
        <message>
            <source>文件不是有效的 JSON：%1</source>
            <translation>The file is not valid JSON: %1</translation>
        </message>
        <message>
            <source>文件里没有清理规则。</source>
            <translation>The file holds no clean-up rules.</translation>
        </message>
        <message>
            <source>第 %1 条规则无法使用。</source>
            <translation>Rule %1 cannot be used.</translation>
        </message>
    </context>
    <context>
        <name>CleanupRulesDialog</name>
        <message>
            <source>清理规则</source>
            <translation>Clean-up Rules</translation>
        </message>
        <message>
            <source>清理规则只用于书籍排版；原文排版按文件原样显示每一行。</source>
            <translation>Clean-up rules apply to the book layout only; the original layout shows every line as the file has it.</translation>
        </message>
        <message>
            <source>添加…</source>
            <translation>Add…</translation>
        </message>
        <message>
            <source>编辑…</source>
            <translation>Edit…</translation>
        </message>
        <message>
            <source>删除</source>
            <translation>Delete</translation>
        </message>
        <message>
            <source>在本书上测试</source>
            <translation>Test on This Book</translation>
        </message>
        <message>
            <source>导入…</source>
            <translation>Import…</translation>
        </message>
        <message>
            <source>导出…</source>
            <translation>Export…</translation>
        </message>
        <message>
            <source>正在统计…</source>
            <translation>Counting…</translation>
        </message>
        <message>
            <source>清理规则从本书去掉了 %1 行，改动了 %2 行。</source>
            <translation>The clean-up rules remove %1 lines from this book and change %2.</translation>
        </message>
        <message>
            <source>内置</source>
            <translation>built in</translation>
        </message>
        <message>
            <source>所有书籍</source>
            <translation>all books</translation>
        </message>
        <message>
            <source>本书</source>
            <translation>this book</translation>
        </message>
        <message>
            <source>%1（%2）</source>
            <translation>%1 (%2)</translation>
        </message>
        <message>
            <source>：%1 行</source>
            <translation>: %1 lines</translation>
        </message>
        <message>
            <source>无法读取文件：%1</source>
            <translation>Cannot read the file: %1</translation>
        </message>
        <message>
            <source>没有导入：%1</source>
            <translation>Nothing imported: %1</translation>
        </message>
        <message>
            <source>导入了 %1 条规则。</source>
            <translation>Imported %1 rules.</translation>
        </message>
        <message>
            <source>无法写入文件：%1</source>
            <translation>Cannot write the file: %1</translation>
        </message>
        <message>
            <source>导出了 %1 条规则。</source>
            <translation>Exported %1 rules.</translation>
        </message>
        <message>
            <source>JSON 文件 (*.json)</source>
            <translation>JSON files (*.json)</translation>
        </message>
        <message>
            <source>导出清理规则</source>
            <translation>Export Clean-up Rules</translation>
        </message>
        <message>
            <source>清理规则.json</source>
            <translation>clean-up rules.json</translation>
        </message>
        <message>
            <source>导入清理规则</source>
            <translation>Import Clean-up Rules</translation>
        </message>
    </context>
    <context>
        <name>ContentsController</name>
        <message>
            <source>目录</source>
            <translation>Contents</translation>
        </message>
    </context>
    <context>
        <name>ContentsPage</name>
        <message>
            <source>查找章节</source>
            <translation>Find a chapter</translation>
        </message>
        <message>
            <source>本书没有章节</source>
            <translation>This book has no chapters</translation>
        </message>
    </context>
    <context>
        <name>EncodingDialog</name>
        <message>
            <source>选择编码</source>
            <translation>Choose Encoding</translation>
        </message>
        <message>
            <source>筛选编码，例如 GBK、Big5、日文</source>
            <translation>Filter encodings, e.g. GBK, Big5, Japanese</translation>
        </message>
        <message>
            <source>编码</source>
            <translation>Encoding</translation>
        </message>
        <message>
            <source>名称</source>
            <translation>Name</translation>
        </message>
        <message>
            <source>Unicode</source>
            <translation>Unicode</translation>
        </message>
        <message>
            <source>Unicode（最常见）</source>
            <translation>Unicode (the most common)</translation>
        </message>
        <message>
            <source>Unicode，小端序（Windows 的“Unicode”）</source>
            <translation>Unicode, little-endian (Windows' "Unicode")</translation>
        </message>
        <message>
            <source>Unicode，大端序</source>
            <translation>Unicode, big-endian</translation>
        </message>
        <message>
            <source>Unicode 四字节，小端序</source>
            <translation>Unicode, four bytes, little-endian</translation>
        </message>
        <message>
            <source>Unicode 四字节，大端序</source>
            <translation>Unicode, four bytes, big-endian</translation>
        </message>
        <message>
            <source>国标（含 GBK、GB2312）</source>
            <translation>Chinese national standard (also GBK, GB2312)</translation>
        </message>
        <message>
            <source>HZ（旧时的邮件与新闻组）</source>
            <translation>HZ (old mail and newsgroups)</translation>
        </message>
        <message>
            <source>ISO-2022 中文</source>
            <translation>ISO-2022 Chinese</translation>
        </message>
        <message>
            <source>大五码（台湾、香港）</source>
            <translation>Big Five (Taiwan, Hong Kong)</translation>
        </message>
        <message>
            <source>EUC 繁体中文</source>
            <translation>EUC Traditional Chinese</translation>
        </message>
        <message>
            <source>日文</source>
            <translation>Japanese</translation>
        </message>
        <message>
            <source>Shift_JIS（Windows 日文）</source>
            <translation>Shift_JIS (Windows Japanese)</translation>
        </message>
        <message>
            <source>EUC 日文</source>
            <translation>EUC Japanese</translation>
        </message>
        <message>
            <source>ISO-2022 日文（邮件）</source>
            <translation>ISO-2022 Japanese (mail)</translation>
        </message>
        <message>
            <source>韩文</source>
            <translation>Korean</translation>
        </message>
        <message>
            <source>Windows 韩文（含 EUC-KR）</source>
            <translation>Windows Korean (also EUC-KR)</translation>
        </message>
        <message>
            <source>ISO-2022 韩文（邮件）</source>
            <translation>ISO-2022 Korean (mail)</translation>
        </message>
        <message>
            <source>西里尔文</source>
            <translation>Cyrillic</translation>
        </message>
        <message>
            <source>Windows 西里尔文（俄文等）</source>
            <translation>Windows Cyrillic (Russian and others)</translation>
        </message>
        <message>
            <source>KOI8 俄文</source>
            <translation>KOI8 Russian</translation>
        </message>
        <message>
            <source>DOS 俄文</source>
            <translation>DOS Russian</translation>
        </message>
        <message>
            <source>ISO 西里尔文</source>
            <translation>ISO Cyrillic</translation>
        </message>
        <message>
            <source>DOS 西里尔文</source>
            <translation>DOS Cyrillic</translation>
        </message>
        <message>
            <source>Mac 西里尔文</source>
            <translation>Mac Cyrillic</translation>
        </message>
        <message>
            <source>西欧</source>
            <translation>Western European</translation>
        </message>
        <message>
            <source>Windows 西欧（英文、法文、德文等）</source>
            <translation>Windows Western (English, French, German and others)</translation>
        </message>
        <message>
            <source>ISO 西欧（含欧元符号）</source>
            <translation>ISO Western (with the euro sign)</translation>
        </message>
        <message>
            <source>ISO 南欧（马耳他文、世界语）</source>
            <translation>ISO South European (Maltese, Esperanto)</translation>
        </message>
        <message>
            <source>ISO 北欧（旧）</source>
            <translation>ISO North European (old)</translation>
        </message>
        <message>
            <source>ISO 土耳其文</source>
            <translation>ISO Turkish</translation>
        </message>
        <message>
            <source>ISO 北欧</source>
            <translation>ISO Nordic</translation>
        </message>
        <message>
            <source>波罗的海文</source>
            <translation>Baltic</translation>
        </message>
        <message>
            <source>ISO 波罗的海文</source>
            <translation>ISO Baltic</translation>
        </message>
        <message>
            <source>Windows 波罗的海文</source>
            <translation>Windows Baltic</translation>
        </message>
        <message>
            <source>中欧</source>
            <translation>Central European</translation>
        </message>
        <message>
            <source>Windows 中欧（波兰文、捷克文等）</source>
            <translation>Windows Central European (Polish, Czech and others)</translation>
        </message>
        <message>
            <source>ISO 中欧</source>
            <translation>ISO Central European</translation>
        </message>
        <message>
            <source>DOS 中欧</source>
            <translation>DOS Central European</translation>
        </message>
        <message>
            <source>Mac 中欧</source>
            <translation>Mac Central European</translation>
        </message>
        <message>
            <source>希腊文</source>
            <translation>Greek</translation>
        </message>
        <message>
            <source>Windows 希腊文</source>
            <translation>Windows Greek</translation>
        </message>
        <message>
            <source>ISO 希腊文</source>
            <translation>ISO Greek</translation>
        </message>
        <message>
            <source>希伯来文</source>
            <translation>Hebrew</translation>
        </message>
        <message>
            <source>Windows 希伯来文</source>
            <translation>Windows Hebrew</translation>
        </message>
        <message>
            <source>ISO 希伯来文</source>
            <translation>ISO Hebrew</translation>
        </message>
        <message>
            <source>阿拉伯文</source>
            <translation>Arabic</translation>
        </message>
        <message>
            <source>Windows 阿拉伯文</source>
            <translation>Windows Arabic</translation>
        </message>
        <message>
            <source>ISO 阿拉伯文</source>
            <translation>ISO Arabic</translation>
        </message>
        <message>
            <source>泰文</source>
            <translation>Thai</translation>
        </message>
        <message>
            <source>TIS 泰文</source>
            <translation>TIS Thai</translation>
        </message>
        <message>
            <source>ISO 泰文</source>
            <translation>ISO Thai</translation>
        </message>
        <message>
            <source>越南文</source>
            <translation>Vietnamese</translation>
        </message>
        <message>
            <source>Windows 越南文</source>
            <translation>Windows Vietnamese</translation>
        </message>
        <message>
            <source>检测到的编码：%1</source>
            <translation>Detected encoding: %1</translation>
        </message>
        <message>
            <source>未知</source>
            <translation>Unknown</translation>
        </message>
        <message>
            <source>自动检测</source>
            <translation>Automatic</translation>
        </message>
        <message>
            <source>按本书的内容决定</source>
            <translation>Decided by the book's content</translation>
        </message>
        <message>
            <source>其他</source>
            <translation>Other</translation>
        </message>
        <message>
            <source>%1（%2）</source>
            <translation>%1 (%2)</translation>
        </message>
        <message>
            <source>中文（简体）</source>
            <translation>Chinese, Simplified</translation>
        </message>
        <message>
            <source>中文（繁体）</source>
            <translation>Chinese, Traditional</translation>
        </message>
    </context>
    <context>
        <name>FileLoader</name>
        <message>
            <source>系统资源不足，无法读取文件。</source>
            <translation>The system is short of resources to read the file.</translation>
        </message>
        <message>
            <source>文件里没有可以显示的文字。</source>
            <translation>The file holds no text to show.</translation>
        </message>
    </context>
    <context>
        <name>LayoutPreview</name>
        <message>
            <source>第一章 雨夜
　　雨下了整整一夜，到天亮才停。院子里的石榴树落了一地的花，红得像撒了一层胭脂。
　　她推开窗，说：“今年的花开得早——也谢得早……”没有人回答她。远处传来几声鸡叫，接着是挑水人的扁担吱呀吱呀地响过巷口。
　　她想起《山居笔记》里的一句话，又想起那年的春天。</source>
            <translation>Chapter One: A Night of Rain
The rain fell all night and stopped only at dawn. The pomegranate tree in the yard had dropped its flowers, red as rouge on the stones.
She opened the window and said: "The flowers came early this year, and they are gone early too." Nobody answered her. Far off a cock crowed, and a water carrier's pole creaked past the end of the lane.
She remembered a line from a book of mountain notes, and then that spring long ago.</translation>
        </message>
    </context>
    <context>
        <name>LibraryDatabase</name>
        <message>
            <source>书库文件已损坏，已改名为“%1”保存，并新建了一个空书库。</source>
            <translation>The library file was damaged. It was kept as "%1" and a new, empty library was started.</translation>
        </message>
        <message>
            <source>书库文件由更新版本的 Lexorin 写入。为免损坏它，本次不会记住阅读位置。</source>
            <translation>The library file was written by a newer version of Lexorin. To keep it intact, reading places will not be remembered this time.</translation>
        </message>
        <message>
            <source>无法打开书库文件“%1”，本次不会记住阅读位置。</source>
            <translation>Cannot open the library file "%1". Reading places will not be remembered this time.</translation>
        </message>
        <message>
            <source>无法保存阅读位置：磁盘可能已满，或书库正被另一个窗口占用。</source>
            <translation>Cannot save the reading place: the disk may be full, or another window is holding the library.</translation>
        </message>
    </context>
    <context>
        <name>LineCleaner</name>
        <message>
            <source>只有网址的行</source>
            <translation>Lines holding only a web address</translation>
        </message>
        <message>
            <source>夹着杂乱符号的网站名</source>
            <translation>Site names spelt out with stray symbols</translation>
        </message>
    </context>
    <context>
        <name>MainWindow</name>
        <message>
            <source>Lexorin</source>
            <translation>Lexorin</translation>
        </message>
        <message>
            <source>Quorvane</source>
            <translation>Quorvane</translation>
        </message>
        <message>
            <source>阅读页面</source>
            <translation>Reading Page</translation>
        </message>
        <message>
            <source>书架</source>
            <translation>Bookshelf</translation>
        </message>
        <message>
            <source>打开书籍文件</source>
            <translation>Open book file</translation>
        </message>
        <message>
            <source>打开文件夹</source>
            <translation>Open folder</translation>
        </message>
        <message>
            <source>Quorvane - 未打开文件</source>
            <translation>Quorvane - No file opened</translation>
        </message>
        <message>
            <source>显示/隐藏搜索按钮</source>
            <translation>Show/Hide Search Button</translation>
        </message>
        <message>
            <source>缩小窗口</source>
            <translation>Minimize Window</translation>
        </message>
        <message>
            <source>全屏窗口</source>
            <translation>Fullscreen Window</translation>
        </message>
        <message>
            <source>关闭程序</source>
            <translation>Exit Program</translation>
        </message>
        <message>
            <source>搜索框</source>
            <translation>Search Box</translation>
        </message>
        <message>
            <source>搜索内容 (按Enter搜索)</source>
            <translation>Search content (Press Enter to search)</translation>
        </message>
        <message>
            <source>搜索</source>
            <translation>Search</translation>
        </message>
        <message>
            <source>第 0 页/共 0 页</source>
            <translation>Page 0/0</translation>
        </message>
        <message>
            <source>跳转页</source>
            <translation>Jump to Page</translation>
        </message>
        <message>
            <source>放大字体</source>
            <translation>Zoom In Font</translation>
        </message>
        <message>
            <source>缩小字体</source>
            <translation>Zoom Out Font</translation>
        </message>
        <message>
            <source>主题设置</source>
            <translation>Theme Settings</translation>
        </message>
        <message>
            <source>上一页</source>
            <translation>Previous Page</translation>
        </message>
        <message>
            <source>下一页</source>
            <translation>Next Page</translation>
        </message>
        <message>
            <source>确认重置</source>
            <translation>Confirm Reset</translation>
        </message>
        <message>
            <source>确定要重置应用程序吗？
这将清除所有设置和书架上的全部书籍。</source>
            <translation>Reset the application?
This clears all settings and every book on the bookshelf.</translation>
        </message>
        <message>
            <source>重置完成</source>
            <translation>Reset Completed</translation>
        </message>
        <message>
            <source>应用程序已重置为初始状态。</source>
            <translation>Application has been reset to initial state.</translation>
        </message>
        <message>
            <source>选择字体</source>
            <translation>Select Font</translation>
        </message>
        <message>
            <source>书香满屋，灯下夜读 AaBbYyZz</source>
            <translation>Reading by lamplight AaBbYyZz</translation>
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
            <source>English</source>
            <translation>English</translation>
        </message>
        <message>
            <source>一键重置</source>
            <translation>One-click Reset</translation>
        </message>
        <message>
            <source>关于Quorvane</source>
            <translation>About Quorvane</translation>
        </message>
        <message>
            <source>章节另起一页</source>
            <translation>Start each chapter on a new page</translation>
        </message>
        <message>
            <source>简繁转换</source>
            <translation>Chinese Script</translation>
        </message>
        <message>
            <source>按原文显示</source>
            <translation>As in the Book</translation>
        </message>
        <message>
            <source>简体转繁体</source>
            <translation>Simplified to Traditional</translation>
        </message>
        <message>
            <source>简体转繁体（台湾）</source>
            <translation>Simplified to Traditional (Taiwan)</translation>
        </message>
        <message>
            <source>简体转繁体（香港）</source>
            <translation>Simplified to Traditional (Hong Kong)</translation>
        </message>
        <message>
            <source>繁体转简体</source>
            <translation>Traditional to Simplified</translation>
        </message>
        <message>
            <source>繁体（台湾）转简体</source>
            <translation>Traditional (Taiwan) to Simplified</translation>
        </message>
        <message>
            <source>繁体（香港）转简体</source>
            <translation>Traditional (Hong Kong) to Simplified</translation>
        </message>
        <message>
            <source>仅用于本书</source>
            <translation>This Book Only</translation>
        </message>
        <message>
            <source>主题</source>
            <translation>Theme</translation>
        </message>
        <message>
            <source>日间</source>
            <translation>Day</translation>
        </message>
        <message>
            <source>羊皮纸</source>
            <translation>Sepia</translation>
        </message>
        <message>
            <source>护眼</source>
            <translation>Easy on the Eyes (Green)</translation>
        </message>
        <message>
            <source>夜间</source>
            <translation>Night</translation>
        </message>
        <message>
            <source>书籍排版</source>
            <translation>Book Layout</translation>
        </message>
        <message>
            <source>偏好设置…</source>
            <translation>Preferences…</translation>
        </message>
        <message>
            <source>书签</source>
            <translation>Bookmark</translation>
        </message>
        <message>
            <source>为本页添加或删除书签</source>
            <translation>Add or remove a bookmark on this page</translation>
        </message>
        <message>
            <source>书签列表</source>
            <translation>Bookmarks</translation>
        </message>
        <message>
            <source>查看本书的书签</source>
            <translation>Show this book's bookmarks</translation>
        </message>
        <message>
            <source>编码…</source>
            <translation>Encoding…</translation>
        </message>
        <message>
            <source>用另一种编码重新打开本书</source>
            <translation>Reopen this book in another encoding</translation>
        </message>
        <message>
            <source>宽窗口双页</source>
            <translation>Two Pages on a Wide Window</translation>
        </message>
        <message>
            <source>章节规则…</source>
            <translation>Chapter Rule…</translation>
        </message>
        <message>
            <source>清理规则…</source>
            <translation>Clean-up Rules…</translation>
        </message>
    </context>
    <context>
        <name>PagePresenter</name>
        <message>
            <source>第 %1 页/共 %2 页</source>
            <translation>Page %1/%2</translation>
        </message>
        <message>
            <source>第 %1 页/共 %2+ 页</source>
            <translation>Page %1/%2+</translation>
        </message>
        <message>
            <source>加载中...</source>
            <translation>Loading...</translation>
        </message>
        <message>
            <source>跳转到页</source>
            <translation>Jump to Page</translation>
        </message>
        <message>
            <source>请输入页码 (1-%1):</source>
            <translation>Please enter page number (1-%1):</translation>
        </message>
        <message>
            <source>Quorvane - 书架空空如也</source>
            <translation>Quorvane - Bookshelf is Empty</translation>
        </message>
        <message>
            <source>Quorvane - 共有 %1 本书</source>
            <translation>Quorvane - Total %1 Books</translation>
        </message>
        <message>
            <source>Quorvane - 未打开文件</source>
            <translation>Quorvane - No file opened</translation>
        </message>
        <message>
            <source>无法打开书籍</source>
            <translation>Cannot Open Book</translation>
        </message>
        <message>
            <source>无法打开“%1”：
%2</source>
            <translation>Cannot open "%1":
%2</translation>
        </message>
        <message>
            <source>“%1”中有 %2 个字节无法识别，已显示为 �。</source>
            <translation>%2 bytes of “%1” could not be read and are shown as �.</translation>
        </message>
        <message>
            <source>约第 %1 页/共约 %2 页</source>
            <translation>About page %1/about %2</translation>
        </message>
        <message>
            <source>请输入页码 (1-约%1):</source>
            <translation>Please enter page number (1-about %1):</translation>
        </message>
    </context>
    <context>
        <name>PreferencesDialog</name>
        <message>
            <source>偏好设置</source>
            <translation>Preferences</translation>
        </message>
        <message>
            <source>排版</source>
            <translation>Layout</translation>
        </message>
        <message>
            <source>版式：</source>
            <translation>Layout:</translation>
        </message>
        <message>
            <source>原样（按文件的行）</source>
            <translation>Original (lines as in the file)</translation>
        </message>
        <message>
            <source>书籍排版</source>
            <translation>Book Layout</translation>
        </message>
        <message>
            <source>行距：</source>
            <translation>Line spacing:</translation>
        </message>
        <message>
            <source> %</source>
            <translation> %</translation>
        </message>
        <message>
            <source>段距：</source>
            <translation>Paragraph spacing:</translation>
        </message>
        <message>
            <source>首行缩进：</source>
            <translation>First-line indent:</translation>
        </message>
        <message>
            <source> 字</source>
            <translation> em</translation>
        </message>
        <message>
            <source>页边距：</source>
            <translation>Margins:</translation>
        </message>
        <message>
            <source>窄</source>
            <translation>Narrow</translation>
        </message>
        <message>
            <source>正常</source>
            <translation>Normal</translation>
        </message>
        <message>
            <source>宽</source>
            <translation>Wide</translation>
        </message>
        <message>
            <source>两端对齐</source>
            <translation>Justify</translation>
        </message>
        <message>
            <source>窗口够宽时，像翻开的书一样并排显示两页</source>
            <translation>When the window is wide enough, shows two pages side by side like an open book</translation>
        </message>
        <message>
            <source>宽窗口双页</source>
            <translation>Two Pages on a Wide Window</translation>
        </message>
    </context>
    <context>
        <name>SearchController</name>
        <message>
            <source>已从另一端继续搜索</source>
            <translation>Search continued from the other end of the book</translation>
        </message>
        <message>
            <source>搜索</source>
            <translation>Search</translation>
        </message>
        <message>
            <source>已回到文档开头继续搜索</source>
            <translation>Returned to document start to continue search</translation>
        </message>
        <message>
            <source>未找到文本: %1</source>
            <translation>Text not found: %1</translation>
        </message>
        <message>
            <source>全部结果</source>
            <translation>All results</translation>
        </message>
    </context>
    <context>
        <name>SearchResultsList</name>
        <message>
            <source>正在查找“%1”……</source>
            <translation>Searching for "%1"…</translation>
        </message>
        <message>
            <source>“%1”共找到 %2 处</source>
            <translation>"%1" found in %2 places</translation>
        </message>
        <message>
            <source>书还在分页，只查找了已分好的 %1 页。</source>
            <translation>The book is still being paginated; only the %1 pages ready so far were searched.</translation>
        </message>
        <message>
            <source>第 %1 页</source>
            <translation>Page %1</translation>
        </message>
    </context>
    <context>
        <name>Settings</name>
        <message>
            <source>无法保存设置和书架：磁盘可能已满，或设置文件无法写入。</source>
            <translation>Cannot save the settings and the bookshelf: the disk may be full, or the settings file cannot be written.</translation>
        </message>
    </context>
    <context>
        <name>ShelfContextMenu</name>
        <message>
            <source>打开</source>
            <translation>Open</translation>
        </message>
        <message>
            <source>从书架移除</source>
            <translation>Remove from Bookshelf</translation>
        </message>
        <message>
            <source>打开所在文件夹</source>
            <translation>Show in Folder</translation>
        </message>
        <message>
            <source>属性</source>
            <translation>Properties</translation>
        </message>
        <message>
            <source>最近阅读</source>
            <translation>Recently Read First</translation>
        </message>
    </context>
    <context>
        <name>ShelfController</name>
        <message>
            <source>已找到 %1 个文本文件……</source>
            <translation>%1 text files found so far…</translation>
        </message>
        <message>
            <source>打开TXT文件</source>
            <translation>Open TXT File</translation>
        </message>
        <message>
            <source>文本文件 (*.txt)</source>
            <translation>Text Files (*.txt)</translation>
        </message>
        <message>
            <source>选择文件夹</source>
            <translation>Select Folder</translation>
        </message>
        <message>
            <source>正在扫描文件夹……</source>
            <translation>Scanning the folder…</translation>
        </message>
        <message>
            <source>取消</source>
            <translation>Cancel</translation>
        </message>
        <message>
            <source>扫描文件夹</source>
            <translation>Scan Folder</translation>
        </message>
        <message>
            <source>扫描已取消</source>
            <translation>Scan Cancelled</translation>
        </message>
        <message>
            <source>扫描已取消，取消前找到的 %1 个文本文件没有加入书架。</source>
            <translation>The scan was cancelled; the %1 text files it had found were not added to the bookshelf.</translation>
        </message>
        <message>
            <source>扫描结果</source>
            <translation>Scan Results</translation>
        </message>
        <message>
            <source>未找到任何文本文件</source>
            <translation>No text files found</translation>
        </message>
        <message>
            <source>扫描完成</source>
            <translation>Scan Completed</translation>
        </message>
        <message>
            <source>共找到 %1 个文本文件</source>
            <translation>Found %1 text files</translation>
        </message>
        <message>
            <source>从书架移除</source>
            <translation>Remove from Bookshelf</translation>
        </message>
        <message>
            <source>要把“%1”从书架上移除吗？
文件不会删除；阅读位置和书签会保留，再次添加这本书时恢复。</source>
            <translation>Remove “%1” from the bookshelf?
The file is not deleted; your place and bookmarks are kept and come back when the book is added again.</translation>
        </message>
        <message>
            <source>文件不存在</source>
            <translation>File Not Found</translation>
        </message>
        <message>
            <source>“%1”已不存在。
要把它从书架上移除吗？阅读位置和书签会保留。</source>
            <translation>“%1” no longer exists.
Remove it from the bookshelf? Your place and bookmarks are kept.</translation>
        </message>
        <message>
            <source>书库</source>
            <translation>Library</translation>
        </message>
    </context>
    <context>
        <name>SingleInstance</name>
        <message>
            <source>Lexorin 已在运行，但它的窗口没有响应。</source>
            <translation>Lexorin is already running, but its window does not respond.</translation>
        </message>
    </context>
</TS>
