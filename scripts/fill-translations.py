#!/usr/bin/env python3
"""Fills the Traditional Chinese and English catalogues from one table.

Run `cmake --build build --target update_translations` first, so the catalogues hold every
source text of the code; this script then writes the translations it knows and reports any
source text it has none for. The Simplified Chinese catalogue stays without translations:
its texts are the sources themselves.
"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

ZWSP = "\u200b"
DESCRIPTION = ("Quorvane，不仅是强大的工具，更是您思想与知识的延伸。" + ZWSP * 2 +
               " 开启Quorvane，构建您永不磨损的私人藏馆。")
LINK = '<a href="https://quorvane.example/">{}</a>'

# source: (English, Traditional Chinese)
TABLE = {
    "Lexorin": ("Lexorin", "Lexorin"),
    "Quorvane": ("Quorvane", "Quorvane"),
    "阅读页面": ("Reading Page", "閱讀頁面"),
    "书架": ("Bookshelf", "書架"),
    "打开书籍文件": ("Open book file", "開啟書籍文件"),
    "打开文件夹": ("Open folder", "開啟資料夾"),
    "显示/隐藏搜索按钮": ("Show/Hide Search Button", "顯示/隱藏搜尋按鈕"),
    "缩小窗口": ("Minimize Window", "縮小視窗"),
    "全屏窗口": ("Fullscreen Window", "全螢幕視窗"),
    "关闭程序": ("Exit Program", "關閉程式"),
    "搜索框": ("Search Box", "搜尋框"),
    "搜索内容 (按Enter搜索)": ("Search content (Press Enter to search)", "搜尋內容 (按Enter搜尋)"),
    "搜索": ("Search", "搜尋"),
    "第 0 页/共 0 页": ("Page 0/0", "第 0 頁/共 0 頁"),
    "跳转页": ("Jump to Page", "跳轉頁"),
    "放大字体": ("Zoom In Font", "放大字體"),
    "缩小字体": ("Zoom Out Font", "縮小字體"),
    "主题设置": ("Theme Settings", "主題設定"),
    "上一页": ("Previous Page", "上一頁"),
    "下一页": ("Next Page", "下一頁"),
    "Quorvane - 未打开文件": ("Quorvane - No file opened", "Quorvane - 未開啟檔案"),
    "Quorvane - 书架空空如也": ("Quorvane - Bookshelf is Empty", "Quorvane - 書架空空如也"),
    "Quorvane - 共有 %1 本书": ("Quorvane - Total %1 Books", "Quorvane - 共有 %1 本書"),
    "打开TXT文件": ("Open TXT File", "開啟TXT檔案"),
    "文本文件 (*.txt)": ("Text Files (*.txt)", "文字檔案 (*.txt)"),
    "加载中...": ("Loading...", "載入中..."),
    "选择文件夹": ("Select Folder", "選擇資料夾"),
    "扫描完成": ("Scan Completed", "掃描完成"),
    "共找到 %1 个文本文件": ("Found %1 text files", "共找到 %1 個文字檔案"),
    "扫描结果": ("Scan Results", "掃描結果"),
    "未找到任何文本文件": ("No text files found", "未找到任何文字檔案"),
    "选择文字颜色": ("Select Text Color", "選擇文字顏色"),
    "选择字体": ("Select Font", "選擇字體"),
    "第 %1 页/共 %2 页": ("Page %1/%2", "第 %1 頁/共 %2 頁"),
    "第 %1 页/共 %2+ 页": ("Page %1/%2+", "第 %1 頁/共 %2+ 頁"),
    "跳转到页": ("Jump to Page", "跳轉到頁"),
    "请输入页码 (1-%1):": ("Please enter page number (1-%1):", "請輸入頁碼 (1-%1):"),
    "已回到文档开头继续搜索": ("Returned to document start to continue search", "已回到文件開頭繼續搜尋"),
    "未找到文本: %1": ("Text not found: %1", "未找到文字: %1"),
    "选择背景颜色": ("Select Background Color", "選擇背景顏色"),
    "简体中文": ("简体中文", "簡體中文"),
    "繁體中文": ("繁體中文", "繁體中文"),
    "English": ("English", "English"),
    "一键重置": ("One-click Reset", "一鍵重置"),
    "关于Quorvane": ("About Quorvane", "關於Quorvane"),
    "确认重置": ("Confirm Reset", "確認重置"),
    "重置完成": ("Reset Completed", "重置完成"),
    "应用程序已重置为初始状态。": ("Application has been reset to initial state.", "應用程式已重置為初始狀態。"),
    "确定要重置应用程序吗？\n这将清除所有设置和书架上的全部书籍。": (
        "Reset the application?\nThis clears all settings and every book on the bookshelf.",
        "確定要重置應用程式嗎？\n這將清除所有設定和書架上的全部書籍。"),
    "无法打开书籍": ("Cannot Open Book", "無法開啟書籍"),
    "无法打开“%1”：\n%2": ("Cannot open \"%1\":\n%2", "無法開啟「%1」：\n%2"),
    "这是一个文件夹，不是文件。": ("This is a folder, not a file.", "這是一個資料夾，不是檔案。"),
    "文件太大（超过 %1 MB），无法打开。": ("The file is too large (over %1 MB) to open.",
                                  "檔案太大（超過 %1 MB），無法開啟。"),
    "文件是空的。": ("The file is empty.", "檔案是空的。"),
    "<h2>Quorvane</h2>": ("<h2>Quorvane</h2>", "<h2>Quorvane</h2>"),
    DESCRIPTION: (
        "Quorvane is not just a powerful tool, but an extension of your thoughts and knowledge. "
        "Open Quorvane to build your never-wearing private library.",
        "Quorvane，不僅是強大的工具，更是您思想與知識的延伸。" + ZWSP * 2 +
        " 開啟Quorvane，構建您永不磨損的私人藏館。"),
    LINK.format("访问官方网站"): (LINK.format("Visit Official Website"), LINK.format("訪問官方網站")),
    "© 2026 Quorvane 团队，保留所有权利。": ("© 2026 The Quorvane Team",
                                  "© 2026 Quorvane 團隊，保留所有權利。"),
    # Why a book cannot be read
    "文件不存在。": ("The file does not exist.", "檔案不存在。"),
    "这不是普通文件（而是设备、管道或其他特殊文件），无法作为书打开。": (
        "This is not a regular file (it is a device, a pipe or another special file), so it "
        "cannot be opened as a book.",
        "這不是一般檔案（而是裝置、管道或其他特殊檔案），無法作為書開啟。"),
    "没有读取这个文件的权限。": ("You do not have permission to read this file.", "沒有讀取這個檔案的權限。"),
    "无法打开这个文件。": ("This file cannot be opened.", "無法開啟這個檔案。"),
    "读取文件时出错。": ("An error occurred while reading the file.", "讀取檔案時發生錯誤。"),
    "文件在读取时被改动了，请稍后再打开。": ("The file changed while it was being read. Please open it again later.",
                              "檔案在讀取時被更動了，請稍後再開啟。"),
    "系统资源不足，无法读取文件。": ("The system is short of resources to read the file.",
                        "系統資源不足，無法讀取檔案。"),
    "文件里没有可以显示的文字。": ("The file holds no text to show.", "檔案裡沒有可以顯示的文字。"),
    # The library database's notices
    "书库文件已损坏，已改名为“%1”保存，并新建了一个空书库。": (
        "The library file was damaged. It was kept as \"%1\" and a new, empty library was started.",
        "書庫檔案已損壞，已改名為「%1」保存，並新建了一個空書庫。"),
    "书库文件由更新版本的 Lexorin 写入。为免损坏它，本次不会记住阅读位置。": (
        "The library file was written by a newer version of Lexorin. To keep it intact, "
        "reading places will not be remembered this time.",
        "書庫檔案由較新版本的 Lexorin 寫入。為免損壞它，本次不會記住閱讀位置。"),
    "无法打开书库文件“%1”，本次不会记住阅读位置。": (
        "Cannot open the library file \"%1\". Reading places will not be remembered this time.",
        "無法開啟書庫檔案「%1」，本次不會記住閱讀位置。"),
    "无法保存阅读位置：磁盘可能已满，或书库正被另一个窗口占用。": (
        "Cannot save the reading place: the disk may be full, or another window is holding "
        "the library.",
        "無法儲存閱讀位置：磁碟可能已滿，或書庫正被另一個視窗佔用。"),
    # Damaged books and folder scans
    "“%1”中有 %2 个字节无法识别，已显示为 �。": (
        "%2 bytes of “%1” could not be read and are shown as �.",
        "「%1」中有 %2 個位元組無法辨識，已顯示為 �。"),
    "正在扫描文件夹……": ("Scanning the folder…", "正在掃描資料夾……"),
    "取消": ("Cancel", "取消"),
    "扫描文件夹": ("Scan Folder", "掃描資料夾"),
    "已找到 %1 个文本文件……": ("%1 text files found so far…", "已找到 %1 個文字檔……"),
    # Chapters, contents and search
    "目录": ("Contents", "目錄"),
    "查找章节": ("Find a chapter", "尋找章節"),
    "本书没有章节": ("This book has no chapters", "本書沒有章節"),
    "章节另起一页": ("Start each chapter on a new page", "章節另起一頁"),
    "已从另一端继续搜索": ("Search continued from the other end of the book", "已從另一端繼續搜尋"),
    "全部结果": ("All results", "全部結果"),
    "第 %1 页": ("Page %1", "第 %1 頁"),
    "正在查找“%1”……": ("Searching for \"%1\"…", "正在尋找「%1」……"),
    "“%1”共找到 %2 处": ("\"%1\" found in %2 places", "「%1」共找到 %2 處"),
    "书还在分页，只查找了已分好的 %1 页。": (
        "The book is still being paginated; only the %1 pages ready so far were searched.",
        "書還在分頁，只搜尋了已分好的 %1 頁。"),
    # The library's memory: bookmarks, encodings, the shelf's book menu and properties
    "%1\n已读 %2%": ("%1\n%2% read", "%1\n已讀 %2%"),
    "%1\n文件已不存在": ("%1\nThe file no longer exists", "%1\n檔案已不存在"),
    "%1%": ("%1%", "%1%"),
    "“%1”已不存在。\n要把它从书架上移除吗？": (
        "\"%1\" no longer exists.\nRemove it from the bookshelf?",
        "「%1」已不存在。\n要把它從書架上移除嗎？"),
    "上次阅读": ("Last read", "上次閱讀"),
    "阅读时长": ("Reading time", "閱讀時長"),
    "不到 1 分钟": ("Less than a minute", "不到 1 分鐘"),
    "%1 分钟": ("%1 min", "%1 分鐘"),
    "%1 小时 %2 分钟": ("%1 h %2 min", "%1 小時 %2 分鐘"),
    "为本页添加或删除书签 (Ctrl+D)": ("Add or remove a bookmark on this page (Ctrl+D)",
                                   "為本頁新增或刪除書籤 (Ctrl+D)"),
    "书名": ("Title", "書名"),
    "书库": ("Library", "書庫"),
    "书签": ("Bookmark", "書籤"),
    "书签列表": ("Bookmarks", "書籤列表"),
    "书籍属性": ("Book Properties", "書籍屬性"),
    "从书架移除": ("Remove from Bookshelf", "從書架移除"),
    "位置": ("Location", "位置"),
    "内容": ("Text", "內容"),
    "删除": ("Delete", "刪除"),
    "大小": ("Size", "大小"),
    "属性": ("Properties", "屬性"),
    "打开": ("Open", "開啟"),
    "打开所在文件夹": ("Show in Folder", "開啟所在資料夾"),
    "指定编码": ("Chosen encoding", "指定編碼"),
    "文件不存在": ("File Not Found", "檔案不存在"),
    "文件已不存在": ("The file no longer exists", "檔案已不存在"),
    "程序自带的示例书": ("A sample book that comes with the program", "程式內附的範例書"),
    "日期": ("Date", "日期"),
    "未知": ("Unknown", "未知"),
    "未读": ("Not read yet", "未讀"),
    "查看本书的书签 (Ctrl+B)": ("Show this book's bookmarks (Ctrl+B)", "檢視本書的書籤 (Ctrl+B)"),
    "用另一种编码重新打开本书": ("Reopen this book in another encoding", "以另一種編碼重新開啟本書"),
    "编码": ("Encoding", "編碼"),
    "自动检测": ("Automatic", "自動偵測"),
    "Lexorin 已在运行，但它的窗口没有响应。": ("Lexorin is already running, but its window does not respond.", "Lexorin 已在執行，但它的視窗沒有回應。"),
    "无法保存设置和书架：磁盘可能已满，或设置文件无法写入。": ("Cannot save the settings and the bookshelf: the disk may be full, or the settings file cannot be written.", "無法保存設定和書架：磁碟可能已滿，或設定檔無法寫入。"),
    "选择编码": ("Choose Encoding", "選擇編碼"),
    "筛选编码，例如 GBK、Big5、日文": ("Filter encodings, e.g. GBK, Big5, Japanese", "篩選編碼，例如 GBK、Big5、日文"),
    "名称": ("Name", "名稱"),
    "检测到的编码：%1": ("Detected encoding: %1", "偵測到的編碼：%1"),
    "按本书的内容决定": ("Decided by the book's content", "依本書的內容決定"),
    "其他": ("Other", "其他"),
    "%1（%2）": ("%1 (%2)", "%1（%2）"),
    "Unicode": ("Unicode", "Unicode"),
    "中文（简体）": ("Chinese, Simplified", "中文（簡體）"),
    "中文（繁体）": ("Chinese, Traditional", "中文（繁體）"),
    "日文": ("Japanese", "日文"),
    "韩文": ("Korean", "韓文"),
    "西里尔文": ("Cyrillic", "西里爾文"),
    "西欧": ("Western European", "西歐"),
    "波罗的海文": ("Baltic", "波羅的海文"),
    "中欧": ("Central European", "中歐"),
    "希腊文": ("Greek", "希臘文"),
    "希伯来文": ("Hebrew", "希伯來文"),
    "阿拉伯文": ("Arabic", "阿拉伯文"),
    "泰文": ("Thai", "泰文"),
    "越南文": ("Vietnamese", "越南文"),
    "Unicode（最常见）": ("Unicode (the most common)", "Unicode（最常見）"),
    "Unicode，小端序（Windows 的“Unicode”）": ("Unicode, little-endian (Windows' \"Unicode\")", "Unicode，小端序（Windows 的「Unicode」）"),
    "Unicode，大端序": ("Unicode, big-endian", "Unicode，大端序"),
    "Unicode 四字节，小端序": ("Unicode, four bytes, little-endian", "Unicode 四位元組，小端序"),
    "Unicode 四字节，大端序": ("Unicode, four bytes, big-endian", "Unicode 四位元組，大端序"),
    "国标（含 GBK、GB2312）": ("Chinese national standard (also GBK, GB2312)", "國標（含 GBK、GB2312）"),
    "HZ（旧时的邮件与新闻组）": ("HZ (old mail and newsgroups)", "HZ（舊時的郵件與新聞群組）"),
    "ISO-2022 中文": ("ISO-2022 Chinese", "ISO-2022 中文"),
    "大五码（台湾、香港）": ("Big Five (Taiwan, Hong Kong)", "大五碼（臺灣、香港）"),
    "EUC 繁体中文": ("EUC Traditional Chinese", "EUC 繁體中文"),
    "Shift_JIS（Windows 日文）": ("Shift_JIS (Windows Japanese)", "Shift_JIS（Windows 日文）"),
    "EUC 日文": ("EUC Japanese", "EUC 日文"),
    "ISO-2022 日文（邮件）": ("ISO-2022 Japanese (mail)", "ISO-2022 日文（郵件）"),
    "Windows 韩文（含 EUC-KR）": ("Windows Korean (also EUC-KR)", "Windows 韓文（含 EUC-KR）"),
    "ISO-2022 韩文（邮件）": ("ISO-2022 Korean (mail)", "ISO-2022 韓文（郵件）"),
    "Windows 西里尔文（俄文等）": ("Windows Cyrillic (Russian and others)", "Windows 西里爾文（俄文等）"),
    "KOI8 俄文": ("KOI8 Russian", "KOI8 俄文"),
    "DOS 俄文": ("DOS Russian", "DOS 俄文"),
    "ISO 西里尔文": ("ISO Cyrillic", "ISO 西里爾文"),
    "DOS 西里尔文": ("DOS Cyrillic", "DOS 西里爾文"),
    "Mac 西里尔文": ("Mac Cyrillic", "Mac 西里爾文"),
    "Windows 西欧（英文、法文、德文等）": ("Windows Western (English, French, German and others)", "Windows 西歐（英文、法文、德文等）"),
    "ISO 西欧（含欧元符号）": ("ISO Western (with the euro sign)", "ISO 西歐（含歐元符號）"),
    "ISO 南欧（马耳他文、世界语）": ("ISO South European (Maltese, Esperanto)", "ISO 南歐（馬爾他文、世界語）"),
    "ISO 北欧（旧）": ("ISO North European (old)", "ISO 北歐（舊）"),
    "ISO 土耳其文": ("ISO Turkish", "ISO 土耳其文"),
    "ISO 北欧": ("ISO Nordic", "ISO 北歐"),
    "ISO 波罗的海文": ("ISO Baltic", "ISO 波羅的海文"),
    "Windows 波罗的海文": ("Windows Baltic", "Windows 波羅的海文"),
    "Windows 中欧（波兰文、捷克文等）": ("Windows Central European (Polish, Czech and others)", "Windows 中歐（波蘭文、捷克文等）"),
    "ISO 中欧": ("ISO Central European", "ISO 中歐"),
    "DOS 中欧": ("DOS Central European", "DOS 中歐"),
    "Mac 中欧": ("Mac Central European", "Mac 中歐"),
    "Windows 希腊文": ("Windows Greek", "Windows 希臘文"),
    "ISO 希腊文": ("ISO Greek", "ISO 希臘文"),
    "Windows 希伯来文": ("Windows Hebrew", "Windows 希伯來文"),
    "ISO 希伯来文": ("ISO Hebrew", "ISO 希伯來文"),
    "Windows 阿拉伯文": ("Windows Arabic", "Windows 阿拉伯文"),
    "ISO 阿拉伯文": ("ISO Arabic", "ISO 阿拉伯文"),
    "TIS 泰文": ("TIS Thai", "TIS 泰文"),
    "ISO 泰文": ("ISO Thai", "ISO 泰文"),
    "Windows 越南文": ("Windows Vietnamese", "Windows 越南文"),
    "跳转": ("Go To", "跳轉"),
    "进度": ("Progress", "進度"),
    "页码": ("Page", "頁碼"),
    "只有网址的行": ("Lines holding only a web address", "只有網址的行"),
    "夹着杂乱符号的网站名": ("Site names spelt out with stray symbols", "夾著雜亂符號的網站名"),
    # Simplified and traditional Chinese shown in the other script
    "简繁转换": ("Chinese Script", "簡繁轉換"),
    "按原文显示": ("As in the Book", "按原文顯示"),
    "简体转繁体": ("Simplified to Traditional", "簡體轉繁體"),
    "简体转繁体（台湾）": ("Simplified to Traditional (Taiwan)", "簡體轉繁體（台灣）"),
    "简体转繁体（香港）": ("Simplified to Traditional (Hong Kong)", "簡體轉繁體（香港）"),
    "繁体转简体": ("Traditional to Simplified", "繁體轉簡體"),
    "繁体（台湾）转简体": ("Traditional (Taiwan) to Simplified", "繁體（台灣）轉簡體"),
    "繁体（香港）转简体": ("Traditional (Hong Kong) to Simplified", "繁體（香港）轉簡體"),
    "仅用于本书": ("This Book Only", "僅用於本書"),
    # The reading flow: font dialog sample, chapter and shelf choices, kept records, scans
    "书香满屋，灯下夜读 AaBbYyZz": ("Reading by lamplight AaBbYyZz", "書香滿屋，燈下夜讀 AaBbYyZz"),
    "最近阅读": ("Recently Read First", "最近閱讀"),
    "要把“%1”从书架上移除吗？\n文件不会删除；阅读位置和书签会保留，再次添加这本书时恢复。": (
        "Remove \u201c%1\u201d from the bookshelf?\nThe file is not deleted; your place and bookmarks are kept "
        "and come back when the book is added again.",
        "要把「%1」從書架上移除嗎？\n檔案不會刪除；閱讀位置和書籤會保留，再次加入這本書時恢復。"),
    "“%1”已不存在。\n要把它从书架上移除吗？阅读位置和书签会保留。": (
        "\u201c%1\u201d no longer exists.\nRemove it from the bookshelf? Your place and bookmarks are kept.",
        "「%1」已不存在。\n要把它從書架上移除嗎？閱讀位置和書籤會保留。"),
    "扫描已取消": ("Scan Cancelled", "掃描已取消"),
    "扫描已取消，取消前找到的 %1 个文本文件没有加入书架。": (
        "The scan was cancelled; the %1 text files it had found were not added to the bookshelf.",
        "掃描已取消，取消前找到的 %1 個文字檔案沒有加入書架。"),
    "【%1】%2": ("[%1] %2", "【%1】%2"),
    # Themes, and the book's commands in the page's context menu and the main menu
    "为本页添加或删除书签": ("Add or remove a bookmark on this page", "為本頁新增或刪除書籤"),
    "查看本书的书签": ("Show this book's bookmarks", "檢視本書的書籤"),
    "编码…": ("Encoding…", "編碼…"),
    "主题": ("Theme", "主題"),
    "日间": ("Day", "日間"),
    "羊皮纸": ("Sepia", "羊皮紙"),
    "护眼": ("Easy on the Eyes (Green)", "護眼"),
    "夜间": ("Night", "夜間"),
    # The book layout: its menu items, the preferences dialog and its preview.
    "书籍排版": ("Book Layout", "書籍排版"),
    "偏好设置…": ("Preferences…", "偏好設定…"),
    "偏好设置": ("Preferences", "偏好設定"),
    "排版": ("Layout", "排版"),
    "版式：": ("Layout:", "版式："),
    "原样（按文件的行）": ("Original (lines as in the file)", "原樣（按檔案的行）"),
    "行距：": ("Line spacing:", "行距："),
    "段距：": ("Paragraph spacing:", "段距："),
    "首行缩进：": ("First-line indent:", "首行縮排："),
    " %": (" %", " %"),
    " 字": (" em", " 字"),
    "页边距：": ("Margins:", "頁邊距："),
    "窄": ("Narrow", "窄"),
    "正常": ("Normal", "正常"),
    "宽": ("Wide", "寬"),
    "两端对齐": ("Justify", "左右對齊"),
    '第一章 雨夜\n\u3000\u3000雨下了整整一夜，到天亮才停。院子里的石榴树落了一地的花，红得像撒了一层胭脂。\n\u3000\u3000她推开窗，说：“今年的花开得早——也谢得早……”没有人回答她。远处传来几声鸡叫，接着是挑水人的扁担吱呀吱呀地响过巷口。\n\u3000\u3000她想起《山居笔记》里的一句话，又想起那年的春天。': ('Chapter One: A Night of Rain\nThe rain fell all night and stopped only at dawn. The pomegranate tree in the yard had dropped its flowers, red as rouge on the stones.\nShe opened the window and said: "The flowers came early this year, and they are gone early too." Nobody answered her. Far off a cock crowed, and a water carrier\'s pole creaked past the end of the lane.\nShe remembered a line from a book of mountain notes, and then that spring long ago.', '第一章 雨夜\n\u3000\u3000雨下了整整一夜，到天亮才停。院子裡的石榴樹落了一地的花，紅得像撒了一層胭脂。\n\u3000\u3000她推開窗，說：「今年的花開得早——也謝得早……」沒有人回答她。遠處傳來幾聲雞叫，接著是挑水人的扁擔吱呀吱呀地響過巷口。\n\u3000\u3000她想起《山居筆記》裡的一句話，又想起那年的春天。'),
    # The page label while only the pages around the reader's place are cut
    "第 ? 页": ("Page ?", "第 ? 頁"),
    # Main window split into controllers: the About box's version comes from the build
    "版本: %1": ("Version: %1", "版本: %1"),
    # Two pages side by side on a wide window
    "宽窗口双页": ("Two Pages on a Wide Window", "寬視窗雙頁"),
    "窗口够宽时，像翻开的书一样并排显示两页": ("When the window is wide enough, shows two pages side by side like an open book", "視窗夠寬時，像翻開的書一樣並排顯示兩頁"),
    # A book's own chapter rule
    "章节规则…": ("Chapter Rule…", "章節規則…"),
    "章节规则": ("Chapter Rule", "章節規則"),
    "章节标题：": ("Headings:", "章節標題："),
    "正则表达式：": ("Regular expression:", "正規表示式："),
    "例如 ^第.+章": ("For example ^Chapter \\d+", "例如 ^第.+章"),
    "自动识别": ("Find automatically", "自動識別"),
    "“第…章”“第…回”“第…节”": ("“第…章”, “第…回”, “第…节”", "「第…章」「第…回」「第…節」"),
    "“Chapter N”": ("“Chapter N”", "「Chapter N」"),
    "“一、”开头的行": ("Lines starting with “一、”", "以「一、」開頭的行"),
    "只有数字的行": ("Lines holding only a number", "只有數字的行"),
    "正则表达式": ("Regular expression", "正規表示式"),
    "请输入正则表达式。": ("Type a regular expression.", "請輸入正規表示式。"),
    "正则表达式有误：%1": ("The regular expression is wrong: %1", "正規表示式有誤：%1"),
    "没有找到章节标题，目录将按段落分节。": ("No headings found; the contents will be split into passages.", "沒有找到章節標題，目錄將按段落分節。"),
    "找到 %1 个章节标题。": ("Found %1 headings.", "找到 %1 個章節標題。"),
    # Page numbers estimated while a big book is cut around the reader's place
    "约第 %1 页/共约 %2 页": ("About page %1/about %2", "約第 %1 頁/共約 %2 頁"),
    "请输入页码 (1-约%1):": ("Please enter page number (1-about %1):", "請輸入頁碼 (1-約%1):"),
    # Clean-up rules: the dialog, the rule editor and the rules file
    "清理规则…": ("Clean-up Rules…", "清理規則…"),
    "清理规则": ("Clean-up Rules", "清理規則"),
    "清理规则只用于书籍排版；原文排版按文件原样显示每一行。": ("Clean-up rules apply to the book layout only; the original layout shows every line as the file has it.", "清理規則只用於書籍排版；原文排版按檔案原樣顯示每一行。"),
    "添加…": ("Add…", "新增…"),
    "编辑…": ("Edit…", "編輯…"),
    "在本书上测试": ("Test on This Book", "在本書上測試"),
    "导入…": ("Import…", "匯入…"),
    "导出…": ("Export…", "匯出…"),
    "正在统计…": ("Counting…", "正在統計…"),
    "清理规则从本书去掉了 %1 行，改动了 %2 行。": ("The clean-up rules remove %1 lines from this book and change %2.", "清理規則從本書去掉了 %1 行，改動了 %2 行。"),
    "内置": ("built in", "內建"),
    "所有书籍": ("all books", "所有書籍"),
    "本书": ("this book", "本書"),
    "%1（%2）": ("%1 (%2)", "%1（%2）"),
    "：%1 行": (": %1 lines", "：%1 行"),
    "无法读取文件：%1": ("Cannot read the file: %1", "無法讀取檔案：%1"),
    "没有导入：%1": ("Nothing imported: %1", "沒有匯入：%1"),
    "导入了 %1 条规则。": ("Imported %1 rules.", "匯入了 %1 條規則。"),
    "无法写入文件：%1": ("Cannot write the file: %1", "無法寫入檔案：%1"),
    "导出了 %1 条规则。": ("Exported %1 rules.", "匯出了 %1 條規則。"),
    "JSON 文件 (*.json)": ("JSON files (*.json)", "JSON 檔案 (*.json)"),
    "导出清理规则": ("Export Clean-up Rules", "匯出清理規則"),
    "清理规则.json": ("clean-up rules.json", "清理規則.json"),
    "导入清理规则": ("Import Clean-up Rules", "匯入清理規則"),
    "名称：": ("Name:", "名稱："),
    "查找：": ("Look for:", "尋找："),
    "内容：": ("Text:", "內容："),
    "找到后：": ("When found:", "找到後："),
    "替换为：": ("Replace with:", "取代為："),
    "用于：": ("Applies to:", "用於："),
    "纯文本": ("Plain text", "純文字"),
    "删去整行": ("Remove the whole line", "刪去整行"),
    "替换找到的文字": ("Replace what is found", "取代找到的文字"),
    "请输入要查找的文字。": ("Type what to look for.", "請輸入要尋找的文字。"),
    "文件不是有效的 JSON：%1": ("The file is not valid JSON: %1", "檔案不是有效的 JSON：%1"),
    "文件里没有清理规则。": ("The file holds no clean-up rules.", "檔案裡沒有清理規則。"),
    "第 %1 条规则无法使用。": ("Rule %1 cannot be used.", "第 %1 條規則無法使用。"),
    # File checks off the GUI thread and failed writes of the store and the library
    "正在查看……": ("Looking…", "正在查看……"),
}

root = Path(__file__).resolve().parent.parent / "resources" / "translations"
missing = set()
for language, column in (("en_US", 0), ("zh_TW", 1)):
    path = root / f"lang_{language}.ts"
    tree = ET.parse(path)
    for message in tree.getroot().iter("message"):
        source = message.findtext("source")
        translation = message.find("translation")
        if source in TABLE:
            translation.text = TABLE[source][column]
            translation.attrib.pop("type", None)
        else:
            missing.add(source)
    ET.indent(tree, space="    ")
    with open(path, "wb") as out:
        out.write(b'<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n')
        tree.write(out, encoding="utf-8", xml_declaration=False)
        out.write(b"\n")
for source in sorted(missing):
    print("no translation for:", repr(source))
sys.exit(1 if missing else 0)
