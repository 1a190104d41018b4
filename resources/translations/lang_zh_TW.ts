<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
    <context>
        <name>AboutDialog</name>
        <message>
            <source>关于Quorvane</source>
            <translation>關於Quorvane</translation>
        </message>
        <message>
            <source>&lt;h2&gt;Quorvane&lt;/h2&gt;</source>
            <translation>&lt;h2&gt;Quorvane&lt;/h2&gt;</translation>
        </message>
        <message>
            <source>Quorvane，不仅是强大的工具，更是您思想与知识的延伸。​​ 开启Quorvane，构建您永不磨损的私人藏馆。</source>
            <translation>Quorvane，不僅是強大的工具，更是您思想與知識的延伸。​​ 開啟Quorvane，構建您永不磨損的私人藏館。</translation>
        </message>
        <message>
            <source>&lt;a href="https://quorvane.example/"&gt;访问官方网站&lt;/a&gt;</source>
            <translation>&lt;a href="https://quorvane.example/"&gt;訪問官方網站&lt;/a&gt;</translation>
        </message>
        <message>
            <source>© 2026 Quorvane 团队，保留所有权利。</source>
            <translation>© 2026 Quorvane 團隊，保留所有權利。</translation>
        </message>
        <message>
            <source>版本: %1</source>
            <translation>版本: %1</translation>
        </message>
    </context>
    <context>
        <name>AppearanceController</name>
        <message>
            <source>选择文字颜色</source>
            <translation>選擇文字顏色</translation>
        </message>
        <message>
            <source>选择背景颜色</source>
            <translation>選擇背景顏色</translation>
        </message>
    </context>
    <context>
        <name>BookFileReader</name>
        <message>
            <source>文件不存在。</source>
            <translation>檔案不存在。</translation>
        </message>
        <message>
            <source>这是一个文件夹，不是文件。</source>
            <translation>這是一個資料夾，不是檔案。</translation>
        </message>
        <message>
            <source>没有读取这个文件的权限。</source>
            <translation>沒有讀取這個檔案的權限。</translation>
        </message>
        <message>
            <source>无法打开这个文件。</source>
            <translation>無法開啟這個檔案。</translation>
        </message>
        <message>
            <source>读取文件时出错。</source>
            <translation>讀取檔案時發生錯誤。</translation>
        </message>
        <message>
            <source>文件在读取时被改动了，请稍后再打开。</source>
            <translation>檔案在讀取時被更動了，請稍後再開啟。</translation>
        </message>
        <message>
            <source>文件是空的。</source>
            <translation>檔案是空的。</translation>
        </message>
        <message>
            <source>这不是普通文件（而是设备、管道或其他特殊文件），无法作为书打开。</source>
            <translation>這不是一般檔案（而是裝置、管道或其他特殊檔案），無法作為書開啟。</translation>
        </message>
        <message>
            <source>文件太大（超过 %1 MB），无法打开。</source>
            <translation>檔案太大（超過 %1 MB），無法開啟。</translation>
        </message>
    </context>
    <context>
        <name>BookPropertiesDialog</name>
        <message>
            <source>书籍属性</source>
            <translation>書籍屬性</translation>
        </message>
        <message>
            <source>书名</source>
            <translation>書名</translation>
        </message>
        <message>
            <source>位置</source>
            <translation>位置</translation>
        </message>
        <message>
            <source>大小</source>
            <translation>大小</translation>
        </message>
        <message>
            <source>文件已不存在</source>
            <translation>檔案已不存在</translation>
        </message>
        <message>
            <source>编码</source>
            <translation>編碼</translation>
        </message>
        <message>
            <source>未知</source>
            <translation>未知</translation>
        </message>
        <message>
            <source>指定编码</source>
            <translation>指定編碼</translation>
        </message>
        <message>
            <source>进度</source>
            <translation>進度</translation>
        </message>
        <message>
            <source>%1%</source>
            <translation>%1%</translation>
        </message>
        <message>
            <source>未读</source>
            <translation>未讀</translation>
        </message>
        <message>
            <source>上次阅读</source>
            <translation>上次閱讀</translation>
        </message>
        <message>
            <source>阅读时长</source>
            <translation>閱讀時長</translation>
        </message>
        <message>
            <source>不到 1 分钟</source>
            <translation>不到 1 分鐘</translation>
        </message>
        <message>
            <source>%1 分钟</source>
            <translation>%1 分鐘</translation>
        </message>
        <message>
            <source>%1 小时 %2 分钟</source>
            <translation>%1 小時 %2 分鐘</translation>
        </message>
        <message>
            <source>程序自带的示例书</source>
            <translation>程式內附的範例書</translation>
        </message>
        <message>
            <source>正在查看……</source>
            <translation>正在查看……</translation>
        </message>
    </context>
    <context>
        <name>BookmarksDialog</name>
        <message>
            <source>书签</source>
            <translation>書籤</translation>
        </message>
        <message>
            <source>内容</source>
            <translation>內容</translation>
        </message>
        <message>
            <source>页码</source>
            <translation>頁碼</translation>
        </message>
        <message>
            <source>日期</source>
            <translation>日期</translation>
        </message>
        <message>
            <source>跳转</source>
            <translation>跳轉</translation>
        </message>
        <message>
            <source>删除</source>
            <translation>刪除</translation>
        </message>
        <message>
            <source>【%1】%2</source>
            <translation>【%1】%2</translation>
        </message>
    </context>
    <context>
        <name>BookshelfWidget</name>
        <message>
            <source>%1
文件已不存在</source>
            <translation>%1
檔案已不存在</translation>
        </message>
        <message>
            <source>%1
已读 %2%</source>
            <translation>%1
已讀 %2%</translation>
        </message>
    </context>
    <context>
        <name>ChapterRule</name>
        <message>
            <source>自动识别</source>
            <translation>自動識別</translation>
        </message>
        <message>
            <source>“第…章”“第…回”“第…节”</source>
            <translation>「第…章」「第…回」「第…節」</translation>
        </message>
        <message>
            <source>“Chapter N”</source>
            <translation>「Chapter N」</translation>
        </message>
        <message>
            <source>“一、”开头的行</source>
            <translation>以「一、」開頭的行</translation>
        </message>
        <message>
            <source>只有数字的行</source>
            <translation>只有數字的行</translation>
        </message>
        <message>
            <source>正则表达式</source>
            <translation>正規表示式</translation>
        </message>
    </context>
    <context>
        <name>ChapterRuleDialog</name>
        <message>
            <source>章节规则</source>
            <translation>章節規則</translation>
        </message>
        <message>
            <source>章节标题：</source>
            <translation>章節標題：</translation>
        </message>
        <message>
            <source>正则表达式：</source>
            <translation>正規表示式：</translation>
        </message>
        <message>
            <source>例如 ^第.+章</source>
            <translation>例如 ^第.+章</translation>
        </message>
        <message>
            <source>请输入正则表达式。</source>
            <translation>請輸入正規表示式。</translation>
        </message>
        <message>
            <source>正则表达式有误：%1</source>
            <translation>正規表示式有誤：%1</translation>
        </message>
        <message>
            <source>没有找到章节标题，目录将按段落分节。</source>
            <translation>沒有找到章節標題，目錄將按段落分節。</translation>
        </message>
        <message>
            <source>找到 %1 个章节标题。</source>
            <translation>找到 %1 個章節標題。</translation>
        </message>
    </context>
    <context>
        <name>CleanupRuleEditor</name>
        <message>
            <source>清理规则</source>
            <translation>清理規則</translation>
        </message>
        <message>
            <source>名称：</source>
            <translation>名稱：</translation>
        </message>
        <message>
            <source>查找：</source>
            <translation>尋找：</translation>
        </message>
        <message>
            <source>内容：</source>
            <translation>內容：</translation>
        </message>
        <message>
            <source>找到后：</source>
            <translation>找到後：</translation>
        </message>
        <message>
            <source>替换为：</source>
            <translation>取代為：</translation>
        </message>
        <message>
            <source>用于：</source>
            <translation>用於：</translation>
        </message>
        <message>
            <source>纯文本</source>
            <translation>純文字</translation>
        </message>
        <message>
            <source>正则表达式</source>
            <translation>正規表示式</translation>
        </message>
        <message>
            <source>删去整行</source>
            <translation>刪去整行</translation>
        </message>
        <message>
            <source>替换找到的文字</source>
            <translation>取代找到的文字</translation>
        </message>
        <message>
            <source>本书</source>
            <translation>本書</translation>
        </message>
        <message>
            <source>所有书籍</source>
            <translation>所有書籍</translation>
        </message>
        <message>
            <source>请输入要查找的文字。</source>
            <translation>請輸入要尋找的文字。</translation>
        </message>
        <message>
            <source>正则表达式有误：%1</source>
            <translation>正規表示式有誤：%1</translation>
        </message>
    </context>
    <context>
        <name>CleanupRules</name>
        <message>
            <source>文件不是有效的 JSON：%1</source>
            <translation>檔案不是有效的 JSON：%1</translation>
        </message>
        <message>
            <source>文件里没有清理规则。</source>
            <translation>檔案裡沒有清理規則。</translation>
        </message>
        <message>
            <source>第 %1 条规则无法使用。</source>
            <translation>第 %1 條規則無法使用。</translation>
        </message>
    </context>
    <context>
        <name>CleanupRulesDialog</name>
        <message>
            <source>清理规则</source>
            <translation>清理規則</translation>
        </message>
        <message>
            <source>清理规则只用于书籍排版；原文排版按文件原样显示每一行。</source>
            <translation>清理規則只用於書籍排版；原文排版按檔案原樣顯示每一行。</translation>
        </message>
        <message>
            <source>添加…</source>
            <translation>新增…</translation>
        </message>
        <message>
            <source>编辑…</source>
            <translation>編輯…</translation>
        </message>
        <message>
            <source>删除</source>
            <translation>刪除</translation>
        </message>
        <message>
            <source>在本书上测试</source>
            <translation>在本書上測試</translation>
        </message>
        <message>
            <source>导入…</source>
            <translation>匯入…</translation>
        </message>
        <message>
            <source>导出…</source>
            <translation>匯出…</translation>
        </message>
        <message>
            <source>正在统计…</source>
            <translation>正在統計…</translation>
        </message>
        <message>
            <source>清理规则从本书去掉了 %1 行，改动了 %2 行。</source>
            <translation>清理規則從本書去掉了 %1 行，改動了 %2 行。</translation>
        </message>
        <message>
            <source>内置</source>
            <translation>內建</translation>
        </message>
        <message>
            <source>所有书籍</source>
            <translation>所有書籍</translation>
        </message>
        <message>
            <source>本书</source>
            <translation>本書</translation>
        </message>
        <message>
            <source>%1（%2）</source>
            <translation>%1（%2）</translation>
        </message>
        <message>
            <source>：%1 行</source>
            <translation>：%1 行</translation>
        </message>
        <message>
            <source>无法读取文件：%1</source>
            <translation>無法讀取檔案：%1</translation>
        </message>
        <message>
            <source>没有导入：%1</source>
            <translation>沒有匯入：%1</translation>
        </message>
        <message>
            <source>导入了 %1 条规则。</source>
            <translation>匯入了 %1 條規則。</translation>
        </message>
        <message>
            <source>无法写入文件：%1</source>
            <translation>無法寫入檔案：%1</translation>
        </message>
        <message>
            <source>导出了 %1 条规则。</source>
            <translation>匯出了 %1 條規則。</translation>
        </message>
        <message>
            <source>JSON 文件 (*.json)</source>
            <translation>JSON 檔案 (*.json)</translation>
        </message>
        <message>
            <source>导出清理规则</source>
            <translation>匯出清理規則</translation>
        </message>
        <message>
            <source>清理规则.json</source>
            <translation>清理規則.json</translation>
        </message>
        <message>
            <source>导入清理规则</source>
            <translation>匯入清理規則</translation>
        </message>
    </context>
    <context>
        <name>ContentsController</name>
        <message>
            <source>目录</source>
            <translation>目錄</translation>
        </message>
    </context>
    <context>
        <name>ContentsPage</name>
        <message>
            <source>查找章节</source>
            <translation>尋找章節</translation>
        </message>
        <message>
            <source>本书没有章节</source>
            <translation>本書沒有章節</translation>
        </message>
    </context>
    <context>
        <name>EncodingDialog</name>
        <message>
            <source>选择编码</source>
            <translation>選擇編碼</translation>
        </message>
        <message>
            <source>筛选编码，例如 GBK、Big5、日文</source>
            <translation>篩選編碼，例如 GBK、Big5、日文</translation>
        </message>
        <message>
            <source>编码</source>
            <translation>編碼</translation>
        </message>
        <message>
            <source>名称</source>
            <translation>名稱</translation>
        </message>
        <message>
            <source>Unicode</source>
            <translation>Unicode</translation>
        </message>
        <message>
            <source>Unicode（最常见）</source>
            <translation>Unicode（最常見）</translation>
        </message>
        <message>
            <source>Unicode，小端序（Windows 的“Unicode”）</source>
            <translation>Unicode，小端序（Windows 的「Unicode」）</translation>
        </message>
        <message>
            <source>Unicode，大端序</source>
            <translation>Unicode，大端序</translation>
        </message>
        <message>
            <source>Unicode 四字节，小端序</source>
            <translation>Unicode 四位元組，小端序</translation>
        </message>
        <message>
            <source>Unicode 四字节，大端序</source>
            <translation>Unicode 四位元組，大端序</translation>
        </message>
        <message>
            <source>国标（含 GBK、GB2312）</source>
            <translation>國標（含 GBK、GB2312）</translation>
        </message>
        <message>
            <source>HZ（旧时的邮件与新闻组）</source>
            <translation>HZ（舊時的郵件與新聞群組）</translation>
        </message>
        <message>
            <source>ISO-2022 中文</source>
            <translation>ISO-2022 中文</translation>
        </message>
        <message>
            <source>大五码（台湾、香港）</source>
            <translation>大五碼（臺灣、香港）</translation>
        </message>
        <message>
            <source>EUC 繁体中文</source>
            <translation>EUC 繁體中文</translation>
        </message>
        <message>
            <source>日文</source>
            <translation>日文</translation>
        </message>
        <message>
            <source>Shift_JIS（Windows 日文）</source>
            <translation>Shift_JIS（Windows 日文）</translation>
        </message>
        <message>
            <source>EUC 日文</source>
            <translation>EUC 日文</translation>
        </message>
        <message>
            <source>ISO-2022 日文（邮件）</source>
            <translation>ISO-2022 日文（郵件）</translation>
        </message>
        <message>
            <source>韩文</source>
            <translation>韓文</translation>
        </message>
        <message>
            <source>Windows 韩文（含 EUC-KR）</source>
            <translation>Windows 韓文（含 EUC-KR）</translation>
        </message>
        <message>
            <source>ISO-2022 韩文（邮件）</source>
            <translation>ISO-2022 韓文（郵件）</translation>
        </message>
        <message>
            <source>西里尔文</source>
            <translation>西里爾文</translation>
        </message>
        <message>
            <source>Windows 西里尔文（俄文等）</source>
            <translation>Windows 西里爾文（俄文等）</translation>
        </message>
        <message>
            <source>KOI8 俄文</source>
            <translation>KOI8 俄文</translation>
        </message>
        <message>
            <source>DOS 俄文</source>
            <translation>DOS 俄文</translation>
        </message>
        <message>
            <source>ISO 西里尔文</source>
            <translation>ISO 西里爾文</translation>
        </message>
        <message>
            <source>DOS 西里尔文</source>
            <translation>DOS 西里爾文</translation>
        </message>
        <message>
            <source>Mac 西里尔文</source>
            <translation>Mac 西里爾文</translation>
        </message>
        <message>
            <source>西欧</source>
            <translation>西歐</translation>
        </message>
        <message>
            <source>Windows 西欧（英文、法文、德文等）</source>
            <translation>Windows 西歐（英文、法文、德文等）</translation>
        </message>
        <message>
            <source>ISO 西欧（含欧元符号）</source>
            <translation>ISO 西歐（含歐元符號）</translation>
        </message>
        <message>
            <source>ISO 南欧（马耳他文、世界语）</source>
            <translation>ISO 南歐（馬爾他文、世界語）</translation>
        </message>
        <message>
            <source>ISO 北欧（旧）</source>
            <translation>ISO 北歐（舊）</translation>
        </message>
        <message>
            <source>ISO 土耳其文</source>
            <translation>ISO 土耳其文</translation>
        </message>
        <message>
            <source>ISO 北欧</source>
            <translation>ISO 北歐</translation>
        </message>
        <message>
            <source>波罗的海文</source>
            <translation>波羅的海文</translation>
        </message>
        <message>
            <source>ISO 波罗的海文</source>
            <translation>ISO 波羅的海文</translation>
        </message>
        <message>
            <source>Windows 波罗的海文</source>
            <translation>Windows 波羅的海文</translation>
        </message>
        <message>
            <source>中欧</source>
            <translation>中歐</translation>
        </message>
        <message>
            <source>Windows 中欧（波兰文、捷克文等）</source>
            <translation>Windows 中歐（波蘭文、捷克文等）</translation>
        </message>
        <message>
            <source>ISO 中欧</source>
            <translation>ISO 中歐</translation>
        </message>
        <message>
            <source>DOS 中欧</source>
            <translation>DOS 中歐</translation>
        </message>
        <message>
            <source>Mac 中欧</source>
            <translation>Mac 中歐</translation>
        </message>
        <message>
            <source>希腊文</source>
            <translation>希臘文</translation>
        </message>
        <message>
            <source>Windows 希腊文</source>
            <translation>Windows 希臘文</translation>
        </message>
        <message>
            <source>ISO 希腊文</source>
            <translation>ISO 希臘文</translation>
        </message>
        <message>
            <source>希伯来文</source>
            <translation>希伯來文</translation>
        </message>
        <message>
            <source>Windows 希伯来文</source>
            <translation>Windows 希伯來文</translation>
        </message>
        <message>
            <source>ISO 希伯来文</source>
            <translation>ISO 希伯來文</translation>
        </message>
        <message>
            <source>阿拉伯文</source>
            <translation>阿拉伯文</translation>
        </message>
        <message>
            <source>Windows 阿拉伯文</source>
            <translation>Windows 阿拉伯文</translation>
        </message>
        <message>
            <source>ISO 阿拉伯文</source>
            <translation>ISO 阿拉伯文</translation>
        </message>
        <message>
            <source>泰文</source>
            <translation>泰文</translation>
        </message>
        <message>
            <source>TIS 泰文</source>
            <translation>TIS 泰文</translation>
        </message>
        <message>
            <source>ISO 泰文</source>
            <translation>ISO 泰文</translation>
        </message>
        <message>
            <source>越南文</source>
            <translation>越南文</translation>
        </message>
        <message>
            <source>Windows 越南文</source>
            <translation>Windows 越南文</translation>
        </message>
        <message>
            <source>检测到的编码：%1</source>
            <translation>偵測到的編碼：%1</translation>
        </message>
        <message>
            <source>未知</source>
            <translation>未知</translation>
        </message>
        <message>
            <source>自动检测</source>
            <translation>自動偵測</translation>
        </message>
        <message>
            <source>按本书的内容决定</source>
            <translation>依本書的內容決定</translation>
        </message>
        <message>
            <source>其他</source>
            <translation>其他</translation>
        </message>
        <message>
            <source>%1（%2）</source>
            <translation>%1（%2）</translation>
        </message>
        <message>
            <source>中文（简体）</source>
            <translation>中文（簡體）</translation>
        </message>
        <message>
            <source>中文（繁体）</source>
            <translation>中文（繁體）</translation>
        </message>
    </context>
    <context>
        <name>FileLoader</name>
        <message>
            <source>系统资源不足，无法读取文件。</source>
            <translation>系統資源不足，無法讀取檔案。</translation>
        </message>
        <message>
            <source>文件里没有可以显示的文字。</source>
            <translation>檔案裡沒有可以顯示的文字。</translation>
        </message>
    </context>
    <context>
        <name>LayoutPreview</name>
        <message>
            <source>第一章 雨夜
　　雨下了整整一夜，到天亮才停。院子里的石榴树落了一地的花，红得像撒了一层胭脂。
　　她推开窗，说：“今年的花开得早——也谢得早……”没有人回答她。远处传来几声鸡叫，接着是挑水人的扁担吱呀吱呀地响过巷口。
　　她想起《山居笔记》里的一句话，又想起那年的春天。</source>
            <translation>第一章 雨夜
　　雨下了整整一夜，到天亮才停。院子裡的石榴樹落了一地的花，紅得像撒了一層胭脂。
　　她推開窗，說：「今年的花開得早——也謝得早……」沒有人回答她。遠處傳來幾聲雞叫，接著是挑水人的扁擔吱呀吱呀地響過巷口。
　　她想起《山居筆記》裡的一句話，又想起那年的春天。</translation>
        </message>
    </context>
    <context>
        <name>LibraryDatabase</name>
        <message>
            <source>书库文件已损坏，已改名为“%1”保存，并新建了一个空书库。</source>
            <translation>書庫檔案已損壞，已改名為「%1」保存，並新建了一個空書庫。</translation>
        </message>
        <message>
            <source>书库文件由更新版本的 Lexorin 写入。为免损坏它，本次不会记住阅读位置。</source>
            <translation>書庫檔案由較新版本的 Lexorin 寫入。為免損壞它，本次不會記住閱讀位置。</translation>
        </message>
        <message>
            <source>无法打开书库文件“%1”，本次不会记住阅读位置。</source>
            <translation>無法開啟書庫檔案「%1」，本次不會記住閱讀位置。</translation>
        </message>
        <message>
            <source>无法保存阅读位置：磁盘可能已满，或书库正被另一个窗口占用。</source>
            <translation>無法儲存閱讀位置：磁碟可能已滿，或書庫正被另一個視窗佔用。</translation>
        </message>
    </context>
    <context>
        <name>LineCleaner</name>
        <message>
            <source>只有网址的行</source>
            <translation>只有網址的行</translation>
        </message>
        <message>
            <source>夹着杂乱符号的网站名</source>
            <translation>夾著雜亂符號的網站名</translation>
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
            <translation>閱讀頁面</translation>
        </message>
        <message>
            <source>书架</source>
            <translation>書架</translation>
        </message>
        <message>
            <source>打开书籍文件</source>
            <translation>開啟書籍文件</translation>
        </message>
        <message>
            <source>打开文件夹</source>
            <translation>開啟資料夾</translation>
        </message>
        <message>
            <source>Quorvane - 未打开文件</source>
            <translation>Quorvane - 未開啟檔案</translation>
        </message>
        <message>
            <source>显示/隐藏搜索按钮</source>
            <translation>顯示/隱藏搜尋按鈕</translation>
        </message>
        <message>
            <source>缩小窗口</source>
            <translation>縮小視窗</translation>
        </message>
        <message>
            <source>全屏窗口</source>
            <translation>全螢幕視窗</translation>
        </message>
        <message>
            <source>关闭程序</source>
            <translation>關閉程式</translation>
        </message>
        <message>
            <source>搜索框</source>
            <translation>搜尋框</translation>
        </message>
        <message>
            <source>搜索内容 (按Enter搜索)</source>
            <translation>搜尋內容 (按Enter搜尋)</translation>
        </message>
        <message>
            <source>搜索</source>
            <translation>搜尋</translation>
        </message>
        <message>
            <source>第 0 页/共 0 页</source>
            <translation>第 0 頁/共 0 頁</translation>
        </message>
        <message>
            <source>跳转页</source>
            <translation>跳轉頁</translation>
        </message>
        <message>
            <source>放大字体</source>
            <translation>放大字體</translation>
        </message>
        <message>
            <source>缩小字体</source>
            <translation>縮小字體</translation>
        </message>
        <message>
            <source>主题设置</source>
            <translation>主題設定</translation>
        </message>
        <message>
            <source>上一页</source>
            <translation>上一頁</translation>
        </message>
        <message>
            <source>下一页</source>
            <translation>下一頁</translation>
        </message>
        <message>
            <source>确认重置</source>
            <translation>確認重置</translation>
        </message>
        <message>
            <source>确定要重置应用程序吗？
这将清除所有设置和书架上的全部书籍。</source>
            <translation>確定要重置應用程式嗎？
這將清除所有設定和書架上的全部書籍。</translation>
        </message>
        <message>
            <source>重置完成</source>
            <translation>重置完成</translation>
        </message>
        <message>
            <source>应用程序已重置为初始状态。</source>
            <translation>應用程式已重置為初始狀態。</translation>
        </message>
        <message>
            <source>选择字体</source>
            <translation>選擇字體</translation>
        </message>
        <message>
            <source>书香满屋，灯下夜读 AaBbYyZz</source>
            <translation>書香滿屋，燈下夜讀 AaBbYyZz</translation>
        </message>
        <message>
            <source>简体中文</source>
            <translation>簡體中文</translation>
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
            <translation>一鍵重置</translation>
        </message>
        <message>
            <source>关于Quorvane</source>
            <translation>關於Quorvane</translation>
        </message>
        <message>
            <source>章节另起一页</source>
            <translation>章節另起一頁</translation>
        </message>
        <message>
            <source>简繁转换</source>
            <translation>簡繁轉換</translation>
        </message>
        <message>
            <source>按原文显示</source>
            <translation>按原文顯示</translation>
        </message>
        <message>
            <source>简体转繁体</source>
            <translation>簡體轉繁體</translation>
        </message>
        <message>
            <source>简体转繁体（台湾）</source>
            <translation>簡體轉繁體（台灣）</translation>
        </message>
        <message>
            <source>简体转繁体（香港）</source>
            <translation>簡體轉繁體（香港）</translation>
        </message>
        <message>
            <source>繁体转简体</source>
            <translation>繁體轉簡體</translation>
        </message>
        <message>
            <source>繁体（台湾）转简体</source>
            <translation>繁體（台灣）轉簡體</translation>
        </message>
        <message>
            <source>繁体（香港）转简体</source>
            <translation>繁體（香港）轉簡體</translation>
        </message>
        <message>
            <source>仅用于本书</source>
            <translation>僅用於本書</translation>
        </message>
        <message>
            <source>主题</source>
            <translation>主題</translation>
        </message>
        <message>
            <source>日间</source>
            <translation>日間</translation>
        </message>
        <message>
            <source>羊皮纸</source>
            <translation>羊皮紙</translation>
        </message>
        <message>
            <source>护眼</source>
            <translation>護眼</translation>
        </message>
        <message>
            <source>夜间</source>
            <translation>夜間</translation>
        </message>
        <message>
            <source>书籍排版</source>
            <translation>書籍排版</translation>
        </message>
        <message>
            <source>偏好设置…</source>
            <translation>偏好設定…</translation>
        </message>
        <message>
            <source>书签</source>
            <translation>書籤</translation>
        </message>
        <message>
            <source>为本页添加或删除书签</source>
            <translation>為本頁新增或刪除書籤</translation>
        </message>
        <message>
            <source>书签列表</source>
            <translation>書籤列表</translation>
        </message>
        <message>
            <source>查看本书的书签</source>
            <translation>檢視本書的書籤</translation>
        </message>
        <message>
            <source>编码…</source>
            <translation>編碼…</translation>
        </message>
        <message>
            <source>用另一种编码重新打开本书</source>
            <translation>以另一種編碼重新開啟本書</translation>
        </message>
        <message>
            <source>宽窗口双页</source>
            <translation>寬視窗雙頁</translation>
        </message>
        <message>
            <source>章节规则…</source>
            <translation>章節規則…</translation>
        </message>
        <message>
            <source>清理规则…</source>
            <translation>清理規則…</translation>
        </message>
    </context>
    <context>
        <name>PagePresenter</name>
        <message>
            <source>第 %1 页/共 %2 页</source>
            <translation>第 %1 頁/共 %2 頁</translation>
        </message>
        <message>
            <source>第 %1 页/共 %2+ 页</source>
            <translation>第 %1 頁/共 %2+ 頁</translation>
        </message>
        <message>
            <source>加载中...</source>
            <translation>載入中...</translation>
        </message>
        <message>
            <source>跳转到页</source>
            <translation>跳轉到頁</translation>
        </message>
        <message>
            <source>请输入页码 (1-%1):</source>
            <translation>請輸入頁碼 (1-%1):</translation>
        </message>
        <message>
            <source>Quorvane - 书架空空如也</source>
            <translation>Quorvane - 書架空空如也</translation>
        </message>
        <message>
            <source>Quorvane - 共有 %1 本书</source>
            <translation>Quorvane - 共有 %1 本書</translation>
        </message>
        <message>
            <source>Quorvane - 未打开文件</source>
            <translation>Quorvane - 未開啟檔案</translation>
        </message>
        <message>
            <source>无法打开书籍</source>
            <translation>無法開啟書籍</translation>
        </message>
        <message>
            <source>无法打开“%1”：
%2</source>
            <translation>無法開啟「%1」：
%2</translation>
        </message>
        <message>
            <source>“%1”中有 %2 个字节无法识别，已显示为 �。</source>
            <translation>「%1」中有 %2 個位元組無法辨識，已顯示為 �。</translation>
        </message>
        <message>
            <source>约第 %1 页/共约 %2 页</source>
            <translation>約第 %1 頁/共約 %2 頁</translation>
        </message>
        <message>
            <source>请输入页码 (1-约%1):</source>
            <translation>請輸入頁碼 (1-約%1):</translation>
        </message>
    </context>
    <context>
        <name>PreferencesDialog</name>
        <message>
            <source>偏好设置</source>
            <translation>偏好設定</translation>
        </message>
        <message>
            <source>排版</source>
            <translation>排版</translation>
        </message>
        <message>
            <source>版式：</source>
            <translation>版式：</translation>
        </message>
        <message>
            <source>原样（按文件的行）</source>
            <translation>原樣（按檔案的行）</translation>
        </message>
        <message>
            <source>书籍排版</source>
            <translation>書籍排版</translation>
        </message>
        <message>
            <source>行距：</source>
            <translation>行距：</translation>
        </message>
        <message>
            <source> %</source>
            <translation> %</translation>
        </message>
        <message>
            <source>段距：</source>
            <translation>段距：</translation>
        </message>
        <message>
            <source>首行缩进：</source>
            <translation>首行縮排：</translation>
        </message>
        <message>
            <source> 字</source>
            <translation> 字</translation>
        </message>
        <message>
            <source>页边距：</source>
            <translation>頁邊距：</translation>
        </message>
        <message>
            <source>窄</source>
            <translation>窄</translation>
        </message>
        <message>
            <source>正常</source>
            <translation>正常</translation>
        </message>
        <message>
            <source>宽</source>
            <translation>寬</translation>
        </message>
        <message>
            <source>两端对齐</source>
            <translation>左右對齊</translation>
        </message>
        <message>
            <source>窗口够宽时，像翻开的书一样并排显示两页</source>
            <translation>視窗夠寬時，像翻開的書一樣並排顯示兩頁</translation>
        </message>
        <message>
            <source>宽窗口双页</source>
            <translation>寬視窗雙頁</translation>
        </message>
    </context>
    <context>
        <name>SearchController</name>
        <message>
            <source>已从另一端继续搜索</source>
            <translation>已從另一端繼續搜尋</translation>
        </message>
        <message>
            <source>搜索</source>
            <translation>搜尋</translation>
        </message>
        <message>
            <source>已回到文档开头继续搜索</source>
            <translation>已回到文件開頭繼續搜尋</translation>
        </message>
        <message>
            <source>未找到文本: %1</source>
            <translation>未找到文字: %1</translation>
        </message>
        <message>
            <source>全部结果</source>
            <translation>全部結果</translation>
        </message>
    </context>
    <context>
        <name>SearchResultsList</name>
        <message>
            <source>正在查找“%1”……</source>
            <translation>正在尋找「%1」……</translation>
        </message>
        <message>
            <source>“%1”共找到 %2 处</source>
            <translation>「%1」共找到 %2 處</translation>
        </message>
        <message>
            <source>书还在分页，只查找了已分好的 %1 页。</source>
            <translation>書還在分頁，只搜尋了已分好的 %1 頁。</translation>
        </message>
        <message>
            <source>第 %1 页</source>
            <translation>第 %1 頁</translation>
        </message>
    </context>
    <context>
        <name>Settings</name>
        <message>
            <source>无法保存设置和书架：磁盘可能已满，或设置文件无法写入。</source>
            <translation>無法保存設定和書架：磁碟可能已滿，或設定檔無法寫入。</translation>
        </message>
    </context>
    <context>
        <name>ShelfContextMenu</name>
        <message>
            <source>打开</source>
            <translation>開啟</translation>
        </message>
        <message>
            <source>从书架移除</source>
            <translation>從書架移除</translation>
        </message>
        <message>
            <source>打开所在文件夹</source>
            <translation>開啟所在資料夾</translation>
        </message>
        <message>
            <source>属性</source>
            <translation>屬性</translation>
        </message>
        <message>
            <source>最近阅读</source>
            <translation>最近閱讀</translation>
        </message>
    </context>
    <context>
        <name>ShelfController</name>
        <message>
            <source>已找到 %1 个文本文件……</source>
            <translation>已找到 %1 個文字檔……</translation>
        </message>
        <message>
            <source>打开TXT文件</source>
            <translation>開啟TXT檔案</translation>
        </message>
        <message>
            <source>文本文件 (*.txt)</source>
            <translation>文字檔案 (*.txt)</translation>
        </message>
        <message>
            <source>选择文件夹</source>
            <translation>選擇資料夾</translation>
        </message>
        <message>
            <source>正在扫描文件夹……</source>
            <translation>正在掃描資料夾……</translation>
        </message>
        <message>
            <source>取消</source>
            <translation>取消</translation>
        </message>
        <message>
            <source>扫描文件夹</source>
            <translation>掃描資料夾</translation>
        </message>
        <message>
            <source>扫描已取消</source>
            <translation>掃描已取消</translation>
        </message>
        <message>
            <source>扫描已取消，取消前找到的 %1 个文本文件没有加入书架。</source>
            <translation>掃描已取消，取消前找到的 %1 個文字檔案沒有加入書架。</translation>
        </message>
        <message>
            <source>扫描结果</source>
            <translation>掃描結果</translation>
        </message>
        <message>
            <source>未找到任何文本文件</source>
            <translation>未找到任何文字檔案</translation>
        </message>
        <message>
            <source>扫描完成</source>
            <translation>掃描完成</translation>
        </message>
        <message>
            <source>共找到 %1 个文本文件</source>
            <translation>共找到 %1 個文字檔案</translation>
        </message>
        <message>
            <source>从书架移除</source>
            <translation>從書架移除</translation>
        </message>
        <message>
            <source>要把“%1”从书架上移除吗？
文件不会删除；阅读位置和书签会保留，再次添加这本书时恢复。</source>
            <translation>要把「%1」從書架上移除嗎？
檔案不會刪除；閱讀位置和書籤會保留，再次加入這本書時恢復。</translation>
        </message>
        <message>
            <source>文件不存在</source>
            <translation>檔案不存在</translation>
        </message>
        <message>
            <source>“%1”已不存在。
要把它从书架上移除吗？阅读位置和书签会保留。</source>
            <translation>「%1」已不存在。
要把它從書架上移除嗎？閱讀位置和書籤會保留。</translation>
        </message>
        <message>
            <source>书库</source>
            <translation>書庫</translation>
        </message>
    </context>
    <context>
        <name>SingleInstance</name>
        <message>
            <source>Lexorin 已在运行，但它的窗口没有响应。</source>
            <translation>Lexorin 已在執行，但它的視窗沒有回應。</translation>
        </message>
    </context>
</TS>
