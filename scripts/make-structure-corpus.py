#!/usr/bin/env python3
"""Writes a labelled corpus of books for finding chapters, paragraphs and watermark lines.

Usage: make-structure-corpus.py OUTPUT_FOLDER

For every book it writes NAME.txt (the bytes, in the encoding and line ends named) and
NAME.json with what a right reading finds:
  headings     [level, line, title] for each heading, the line counted from 0 (0 volume,
               1 chapter, 2 a passage of a book without headings, named by its first words)
  hardWrapped  whether the book was broken into lines at a fixed width
  paragraphs   the book's paragraphs once the watermarks are dropped, line breaks inside
               them joined (hard-wrapped books)
  removed      the lines the built-in clean-up rules drop: watermarks of download sites
The books are our own prose, put together from the sentences below with a fixed seed, in
every heading style readers' downloads use, with the prose that only looks like headings.
"""

import json
import os
import random
import sys

ZH_SENTENCES = [
    "海边的小镇上有一座白色的灯塔，守塔的老人已经在这里住了三十年。",
    "每天傍晚，他都沿着螺旋形的楼梯爬上塔顶，擦亮那盏巨大的灯。",
    "远处的渔船一条接一条地回港，船上的人远远地向灯塔挥手。",
    "“今天的风有点大，”他对趴在脚边的黄猫说，“不知道阿明什么时候回来。”",
    "猫眯着眼睛，没有回答，只是把尾巴在地板上轻轻扫了两下。",
    "窗外的浪一层一层地拍在礁石上，溅起白色的水花。",
    "天色渐渐暗了，镇上的人家一盏一盏地点起了灯。",
    "第二天清晨，阿明提着一篮新鲜的鱼来敲门，说昨夜多亏了灯塔。",
    "老人笑了笑，把鱼收下，又给他倒了一杯热茶。",
    "这一年的冬天来得特别早，山上的雪一直积到了三月。",
    "集市上挤满了卖年货的人，糖葫芦的叫卖声从街头传到街尾。",
    "她把信读了三遍，才小心地折好，放进了抽屉最里面。",
    "河水绕过村子，一直流到很远的地方，谁也说不清它最后去了哪里。",
    "那天晚上下了一场大雨，屋檐下的水桶很快就满了。",
    "先生讲完了课，合上书，望着窗外出了很久的神。",
    "他们在山脚下的茶馆里歇了歇脚，又继续往北走。",
    "城门口的老槐树据说已经有五百年了，树干要三个人才能合抱。",
    "没有人知道那个外乡人从哪里来，只知道他每天都去河边钓鱼。",
    "灯芯剪得太短，火苗跳了几下，终于稳稳地亮了起来。",
    "孩子们在晒谷场上追来追去，笑声惊起了一群麻雀。",
]

EN_SENTENCES = [
    "The lamp in the tower had burned every night for forty years.",
    "Every evening the keeper climbed the winding stair and polished the great glass.",
    "Far out on the water the fishing boats came home one after another.",
    "\"The wind is rising,\" he said to the cat asleep by his feet.",
    "The cat opened one eye, thought about it, and went back to sleep.",
    "Waves broke on the rocks below and threw white spray against the wall.",
    "In the village the windows were lit one by one as the dark came down.",
    "Early next morning a boy knocked at the door with a basket of fish.",
    "The old man laughed, took the fish, and poured him a cup of tea.",
    "That winter came early, and the snow lay on the hills until March.",
    "The market was full of people buying what they would need for the new year.",
    "She read the letter three times before folding it away in the drawer.",
    "Nobody knew where the stranger had come from, only that he fished every day.",
    "The river wound past the village and on to places no one had seen.",
    "It rained all that night, and the barrel under the eaves was soon full.",
    "When the lesson was over the teacher closed his book and looked out for a long while.",
    "They rested at the tea house at the foot of the hill and went on north.",
    "The children chased each other across the threshing floor, scattering the sparrows.",
]

ZH_TITLES = ["灯塔", "归港", "雪夜", "集市", "来信", "远行", "雨夜", "钓鱼的人", "老槐树", "晒谷场",
             "北上", "春汛", "旧书", "渡口", "山茶", "风起", "夜航", "客栈"]
EN_TITLES = ["The Lamp", "Coming Home", "A Winter Night", "The Market", "The Letter",
             "The Stranger", "Rain", "The Old Tree", "North", "The Ferry", "Spring Flood",
             "The Inn"]
ZH_NUMERALS = ["一", "二", "三", "四", "五", "六", "七", "八", "九", "十",
               "十一", "十二", "十三", "十四", "十五", "十六"]
ROMAN = ["I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X", "XI", "XII"]

WATERMARKS = [
    "www.lanshu-txt.net",
    "wＷw．xiＡoshＵotxt.neｔ",
    "小-说-t-xt-天.堂",
    "书 包 网 txt小说上传分享",
    "http://m.example-shuwu.com/book/2231.html",
    "【ｗｗｗ．ｌａｎｓｈｕ．ｃｃ】",
    "t*x*t*小*说*下*载",
]
# Prose that names an address or only starts like a watermark: never removed.
KEPT_ZH = [
    "　　他在纸上写下了www.example.com这个地址，说以后可以在那里找到他。",
    "　　更多的消息，请看 www.example.org 上的告示",
    "　　小说家说，书 包 网这几个字他从没听说过。",
]


class Book:
    """Lines of a book with the labels of each, written as it is put together."""

    def __init__(self, name, encoding="utf-8", line_end="\n", hard_wrapped=False):
        self.name = name
        self.encoding = encoding
        self.line_end = line_end
        self.hard_wrapped = hard_wrapped
        self.lines = []
        self.headings = []
        self.paragraphs = []
        self.removed = []

    def line(self, text):
        self.lines.append(text)

    def blank(self):
        self.lines.append("")

    def heading(self, text, level, title=None):
        self.headings.append([level, len(self.lines), title or text.strip()])
        self.paragraphs.append(text.strip())
        self.lines.append(text)

    def paragraph(self, text, indent="　　", wrap=0, words=False):
        self.paragraphs.append(text)
        if wrap == 0:
            self.lines.append(indent + text)
        elif words:
            self.lines.extend(wrap_words(indent + text, wrap))
        else:
            self.lines.extend(wrap_characters(indent + text, wrap))

    def watermark(self, text):
        self.removed.append(len(self.lines))
        self.lines.append(text)

    def text(self):
        return "\n".join(self.lines) + "\n"

    def write(self, folder):
        text = self.text()
        data = text.replace("\n", self.line_end).encode(self.encoding)
        with open(os.path.join(folder, self.name + ".txt"), "wb") as out:
            out.write(data)
        labels = {"headings": self.headings, "hardWrapped": self.hard_wrapped,
                  "removed": self.removed}
        if self.hard_wrapped:
            labels["paragraphs"] = self.paragraphs
        with open(os.path.join(folder, self.name + ".json"), "w", encoding="utf-8") as out:
            json.dump(labels, out, ensure_ascii=False, indent=1)


def wrap_characters(text, width):
    return [text[i:i + width] for i in range(0, len(text), width)]


def wrap_words(text, width):
    body = text.lstrip(" ")
    lines, line = [], text[:len(text) - len(body)]
    for word in body.split(" "):
        if line.strip() and len(line) + 1 + len(word) > width:
            lines.append(line)
            line = ""
        line = line + word if not line.strip() else line + " " + word
    lines.append(line)
    return lines


def zh_paragraph(rng, sentences=(2, 6)):
    return "".join(rng.choice(ZH_SENTENCES) for _ in range(rng.randint(*sentences)))


def en_paragraph(rng, sentences=(3, 7)):
    return " ".join(rng.choice(EN_SENTENCES) for _ in range(rng.randint(*sentences)))


def chapter_body(book, rng, paragraphs=(6, 12), watermarks=0, **wrapping):
    count = rng.randint(*paragraphs)
    marks = set(rng.sample(range(1, count), min(watermarks, count - 1)))
    for i in range(count):
        if i in marks:
            book.watermark(rng.choice(WATERMARKS))
        book.paragraph(zh_paragraph(rng), **wrapping)


def standard_chinese(rng):
    """Volumes and chapters with a table of contents at the front, prose and a table that only
    look like headings, and watermarks; GB18030 with CRLF, as most downloads come."""
    book = Book("zh-standard", "gb18030", "\r\n")
    book.line("长河纪事")
    book.line("作者：林舟")
    book.blank()
    book.line("目录")
    for volume in range(2):
        book.line(f"第{ZH_NUMERALS[volume]}卷 {ZH_TITLES[volume]}")
        for chapter in range(3):
            book.line(f"第{ZH_NUMERALS[volume * 3 + chapter]}章 {ZH_TITLES[volume * 3 + chapter + 2]}")
    book.blank()
    book.heading("楔子", 1)
    chapter_body(book, rng, (3, 5), watermarks=1)
    for volume in range(2):
        book.blank()
        book.heading(f"第{ZH_NUMERALS[volume]}卷 {ZH_TITLES[volume]}", 0)
        book.blank()
        for chapter in range(3):
            number = volume * 3 + chapter
            book.heading(f"第{ZH_NUMERALS[number]}章 {ZH_TITLES[number + 2]}", 1)
            book.blank()
            chapter_body(book, rng, watermarks=2)
            if number == 1:
                book.line("第三卷，头两卷用了整整三年才写完，这一卷却只写了半年。")
                book.line("序，扭转不良风气，是他那篇文章的第一个字。")
                book.line("　　各军的位置如下：")
                book.line("第6集团军　155英里　10个步兵师")
                book.line("第7集团军　120英里　8个步兵师")
            if number == 3:
                for kept in KEPT_ZH:
                    book.line(kept)
            book.blank()
    book.heading("尾声", 1)
    chapter_body(book, rng, (3, 5), watermarks=1)
    return book


def decorated(rng, name, heading):
    book = Book(name, "utf-8", "\n")
    book.line("江南旧事")
    book.blank()
    for number in range(8):
        line, level = heading(number)
        book.heading(line, level)
        chapter_body(book, rng, (5, 9), watermarks=1)
        book.blank()
    return book


def indexed(rng):
    return decorated(rng, "zh-indexed", lambda n: (f"[{n + 1}]{ZH_NUMERALS[n]}　{ZH_TITLES[n]}的一生", 1))


def bulleted(rng):
    return decorated(rng, "zh-bulleted", lambda n: (f"●第{ZH_NUMERALS[n]}章  {ZH_TITLES[n]}", 1))


def bracketed(rng):
    return decorated(rng, "zh-bracketed", lambda n: (f"[(第{n + 1}章 {ZH_TITLES[n]})]", 1))


def parts(rng):
    def heading(n):
        if n % 4 == 0:
            return (f"《江南旧事》　第{ZH_NUMERALS[n // 4]}部分 {ZH_TITLES[n]}", 0)
        return (f"第{ZH_NUMERALS[n]}节 {ZH_TITLES[n]}", 1)
    return decorated(rng, "zh-parts", heading)


def plain_parts(rng):
    return decorated(rng, "zh-plain-parts", lambda n: (f"第{ZH_NUMERALS[n]}部分 {ZH_TITLES[n]}", 0))


def mixed_marks(rng):
    marks = ["篇", "回", "集", "节"]
    return decorated(rng, "zh-marks", lambda n: (f"第{n + 1}{marks[n % 4]} {ZH_TITLES[n]}", 1))


def enumerated(rng):
    """一、 headings as lone short lines, with a numbered list inside a chapter."""
    book = Book("zh-enumerated", "utf-8", "\n")
    book.line("乡居杂记")
    book.blank()
    for number in range(7):
        book.heading(f"{ZH_NUMERALS[number]}、{ZH_TITLES[number]}", 1)
        chapter_body(book, rng, (4, 8), watermarks=1)
        if number == 2:
            book.line("　　那天要做的事情有三件：")
            book.line("一、买米")
            book.line("二、修屋顶")
            book.line("三、给城里写信")
            book.paragraph(zh_paragraph(rng))
    return book


def parenthesised(rng):
    book = Book("zh-parenthesised", "utf-16", "\r\n")
    for number in range(6):
        book.heading(f"（{ZH_NUMERALS[number]}）{ZH_TITLES[number + 4]}", 1)
        book.blank()
        chapter_body(book, rng, (4, 8), watermarks=1)
        book.blank()
    return book


def lone_numbers(rng):
    book = Book("zh-numbers", "gb18030", "\r\n")
    for number in range(8):
        book.heading(chr(0xFF11 + number) if number < 9 else str(number + 1), 1)
        book.blank()
        chapter_body(book, rng, (4, 8))
        book.blank()
    return book


def english_title_lines(rng):
    """CHAPTER I. with its title on the next line, hard-wrapped at 70 columns."""
    book = Book("en-title-lines", "cp1252", "\r\n", hard_wrapped=True)
    book.line("THE LIGHTHOUSE")
    book.paragraphs.append("THE LIGHTHOUSE")
    book.blank()
    for number in range(8):
        book.lines.append(f"CHAPTER {ROMAN[number]}.")
        book.headings.append([1, len(book.lines) - 1, f"CHAPTER {ROMAN[number]}. {EN_TITLES[number].upper()}"])
        book.paragraphs.append(f"CHAPTER {ROMAN[number]}.")
        book.paragraphs.append(EN_TITLES[number].upper())
        book.line(EN_TITLES[number].upper())
        book.blank()
        for _ in range(rng.randint(5, 9)):
            book.paragraph(en_paragraph(rng), indent="", wrap=70, words=True)
            book.blank()
    return book


def english_collection(rng):
    book = Book("en-collection", "utf-8", "\n")
    for number in range(6):
        book.heading(EN_TITLES[number + 3], 1)
        book.blank()
        for _ in range(rng.randint(6, 10)):
            book.paragraph(en_paragraph(rng), indent="")
            book.blank()
    return book


def chinese_collection(rng):
    book = Book("zh-collection", "gb18030", "\r\n")
    book.line("散文七篇")
    book.blank()
    book.line("作者：林舟")
    book.blank()
    for number in range(7):
        book.heading(ZH_TITLES[number + 6], 1)
        book.blank()
        for _ in range(rng.randint(9, 14)):
            book.paragraph(zh_paragraph(rng))
            book.blank()
    return book


def chinese_hard_wrapped(rng):
    book = Book("zh-hard-wrapped", "gb18030", "\r\n", hard_wrapped=True)
    for number in range(6):
        book.heading(f"第{ZH_NUMERALS[number]}章 {ZH_TITLES[number]}", 1)
        count = rng.randint(6, 10)
        for i in range(count):
            book.paragraph(zh_paragraph(rng, (3, 7)), wrap=34)
            if i == count // 2:
                book.watermark(rng.choice(WATERMARKS))
    return book


def english_hard_wrapped(rng):
    """Hard-wrapped with no blank lines, a list and verse among the paragraphs."""
    book = Book("en-hard-wrapped", "utf-8", "\n", hard_wrapped=True)
    verse = ["The keeper climbs the winding stair", "And trims the wick with patient care;",
             "The ships come home across the foam", "And every light has led them home."]
    for number in range(6):
        book.heading(f"Chapter {number + 1}: {EN_TITLES[number]}", 1)
        for i in range(rng.randint(5, 8)):
            book.paragraph(en_paragraph(rng), indent="    ", wrap=72, words=True)
            if i == 1 and number % 2 == 0:
                for item in ["1. Trim the wick.", "2. Wind the clock.", "3. Write the log."]:
                    book.paragraphs.append(item)
                    book.line(item)
            if i == 2 and number % 2 == 1:
                for line in verse:
                    book.paragraphs.append(line)
                    book.line("  " + line)
    return book


def english_flush(rng):
    """Hard-wrapped with neither indents nor blank lines: only a short last line ends a
    paragraph, so one whose last line happens to be full runs on into the next."""
    book = Book("en-flush", "utf-8", "\r\n", hard_wrapped=True)
    for number in range(4):
        book.heading(f"CHAPTER {ROMAN[number]}: {EN_TITLES[number + 4]}", 1)
        for _ in range(rng.randint(6, 9)):
            book.paragraph(en_paragraph(rng), indent="", wrap=66, words=True)
    return book


def verse(rng):
    book = Book("zh-verse", "utf-8", "\n")
    lines = ["山高月小，水落石出，", "清风徐来，水波不兴。", "灯照归人，舟横野渡，", "夜色渐深，渔火初明。"]
    for number in range(5):
        book.heading(f"第{ZH_NUMERALS[number]}章 {ZH_TITLES[number]}", 1)
        for _ in range(12):
            for line in lines:
                book.line(line)
            book.blank()
    return book


def no_headings(rng):
    """A long text with no heading at all: passages every 10,000 characters or so."""
    book = Book("zh-no-headings", "utf-8", "\n")
    offset = 0
    next_passage = 0
    while offset < 34000:
        text = zh_paragraph(rng)
        if offset >= next_passage:
            name = text if len(text) <= 16 else text[:16] + "…"
            book.headings.append([2, len(book.lines), name])
            next_passage = offset + 10000
        book.paragraph(text)
        offset += len(book.lines[-1]) + 1
    return book


BOOKS = [standard_chinese, indexed, bulleted, bracketed, parts, plain_parts, mixed_marks, enumerated,
         parenthesised, lone_numbers, english_title_lines, english_collection, chinese_collection,
         chinese_hard_wrapped, english_hard_wrapped, english_flush, verse, no_headings]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for make in BOOKS:
        make(random.Random(make.__name__)).write(folder)


if __name__ == "__main__":
    main()
