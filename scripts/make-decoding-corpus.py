#!/usr/bin/env python3
"""Writes a labelled corpus of book files in the encodings readers meet.

Usage: make-decoding-corpus.py OUTPUT_FOLDER

For every case it writes NAME.txt (the bytes of the book) and NAME.expected (the text a
right decoding gives, in UTF-8). The passages are our own prose; each book is a passage
repeated to about the size named, or a single paragraph for the short cases, which are
the hard ones for detection.
"""

import os
import sys

PASSAGES = {
    "zh_CN": (
        "　　第一章　灯塔\n\n"
        "　　海边的小镇上有一座白色的灯塔，守塔的老人姓周，已经在这里住了三十年。"
        "每天傍晚，他都会沿着螺旋形的楼梯爬上塔顶，擦亮那盏巨大的灯，然后坐在窗边，"
        "一边喝茶，一边看远处的渔船慢慢回港。\n"
        "　　“今天的风有点大，”他对趴在脚边的黄猫说，“不知道阿明的船什么时候能回来。”\n"
        "　　猫眯着眼睛，没有回答。窗外的浪一层一层地拍在礁石上，溅起白色的水花。"
        "天色渐渐暗了，远处终于出现了一点微弱的灯光，老人站起身来，长长地舒了一口气。\n"
        "　　第二天清晨，阿明提着一篮新鲜的鱼来敲门，说昨夜多亏了灯塔，才没有迷路。\n"
    ),
    "zh_TW": (
        "　　第一章　燈塔\n\n"
        "　　海邊的小鎮上有一座白色的燈塔，守塔的老人姓周，已經在這裡住了三十年。"
        "每天傍晚，他都會沿著螺旋形的樓梯爬上塔頂，擦亮那盞巨大的燈，然後坐在窗邊，"
        "一邊喝茶，一邊看遠處的漁船慢慢回港。\n"
        "　　「今天的風有點大，」他對趴在腳邊的黃貓說，「不知道阿明的船什麼時候能回來。」\n"
        "　　貓瞇著眼睛，沒有回答。窗外的浪一層一層地拍在礁石上，濺起白色的水花。"
        "天色漸漸暗了，遠處終於出現了一點微弱的燈光，老人站起身來，長長地舒了一口氣。\n"
    ),
    "ja": (
        "第一章　灯台\n\n"
        "海辺の小さな町に、白い灯台がありました。灯台守のおじいさんは、もう三十年も"
        "そこに住んでいます。毎日夕方になると、らせん階段を上って大きなランプを磨き、"
        "窓辺に座ってお茶を飲みながら、遠くの漁船がゆっくりと港へ戻ってくるのを眺めます。\n"
        "「今日は風が強いね」と、足もとで丸くなっている茶色の猫に話しかけました。"
        "「アキラの船はいつ帰ってくるだろう。」\n"
        "猫は目を細めたまま、何も答えません。窓の外では波が岩に当たって白いしぶきを上げています。"
        "空がだんだん暗くなったころ、遠くに小さな明かりが見えて、おじいさんはほっと息をつきました。\n"
    ),
    "ko": (
        "제1장 등대\n\n"
        "바닷가 작은 마을에 하얀 등대가 있었습니다. 등대지기 할아버지는 벌써 삼십 년째 "
        "그곳에 살고 있습니다. 매일 저녁이 되면 나선형 계단을 올라가 커다란 등을 닦고, "
        "창가에 앉아 차를 마시며 먼 바다의 고깃배들이 천천히 항구로 돌아오는 모습을 바라봅니다.\n"
        "\"오늘은 바람이 좀 세구나.\" 할아버지가 발치에 웅크린 누런 고양이에게 말했습니다. "
        "\"민수의 배는 언제쯤 돌아올까.\"\n"
        "고양이는 눈을 가늘게 뜬 채 아무 대답도 하지 않았습니다. 창밖에서는 파도가 바위에 "
        "부딪혀 하얀 물보라를 일으켰습니다. 하늘이 어두워질 무렵 멀리서 작은 불빛이 보이자 "
        "할아버지는 길게 숨을 내쉬었습니다.\n"
    ),
    "ru": (
        "Глава первая. Маяк\n\n"
        "В маленьком приморском городке стоял белый маяк. Старый смотритель жил в нём уже "
        "тридцать лет. Каждый вечер он поднимался по винтовой лестнице наверх, протирал большую "
        "лампу, а потом садился у окна, пил чай и смотрел, как далёкие рыбацкие лодки медленно "
        "возвращаются в гавань.\n"
        "«Сегодня ветер сильный, — сказал он рыжему коту, который дремал у его ног. — "
        "Интересно, когда вернётся лодка Миши?»\n"
        "Кот щурился и ничего не отвечал. За окном волны одна за другой разбивались о камни. "
        "Когда стемнело, вдали наконец показался слабый огонёк, и старик облегчённо вздохнул.\n"
    ),
    "el": (
        "Κεφάλαιο πρώτο. Ο φάρος\n\n"
        "Σε μια μικρή παραθαλάσσια πόλη υπήρχε ένας λευκός φάρος. Ο γέρος φαροφύλακας ζούσε "
        "εκεί εδώ και τριάντα χρόνια. Κάθε βράδυ ανέβαινε τη στριφογυριστή σκάλα, γυάλιζε τη "
        "μεγάλη λάμπα και μετά καθόταν στο παράθυρο, έπινε τσάι και κοίταζε τις βάρκες των "
        "ψαράδων να γυρίζουν αργά στο λιμάνι.\n"
        "«Σήμερα φυσάει δυνατά», είπε στη γάτα που κοιμόταν στα πόδια του. «Πότε άραγε θα "
        "γυρίσει η βάρκα του Νίκου;»\n"
        "Η γάτα δεν απάντησε. Έξω τα κύματα χτυπούσαν τα βράχια. Όταν σκοτείνιασε, φάνηκε "
        "επιτέλους ένα αδύναμο φως και ο γέρος αναστέναξε με ανακούφιση.\n"
    ),
    "fr": (
        "Chapitre premier. Le phare\n\n"
        "Dans une petite ville au bord de la mer se dressait un phare blanc. Le vieux gardien "
        "y vivait depuis trente ans. Chaque soir, il montait l’escalier en colimaçon, "
        "astiquait la grande lampe, puis s’asseyait près de la fenêtre pour boire son thé "
        "en regardant les bateaux de pêche rentrer lentement au port.\n"
        "« Le vent est fort aujourd’hui », dit-il au chat roux couché à ses pieds. "
        "« Je me demande quand le bateau d’Étienne reviendra. »\n"
        "Le chat plissa les yeux sans répondre. Dehors, les vagues se brisaient sur les "
        "rochers. À la nuit tombée, une faible lueur apparut enfin au loin, et le vieil "
        "homme poussa un long soupir de soulagement — déjà l’été s’achevait.\n"
    ),
    "de": (
        "Erstes Kapitel. Der Leuchtturm\n\n"
        "In einer kleinen Stadt am Meer stand ein weißer Leuchtturm. Der alte Wärter wohnte "
        "dort schon seit dreißig Jahren. Jeden Abend stieg er die Wendeltreppe hinauf, putzte "
        "die große Lampe und setzte sich dann ans Fenster, trank Tee und schaute zu, wie die "
        "Fischerboote langsam in den Hafen zurückkehrten.\n"
        "„Heute ist der Wind stark“, sagte er zu der roten Katze, die zu seinen Füßen döste. "
        "„Ich frage mich, wann Jürgens Boot zurückkommt.“\n"
        "Die Katze blinzelte und schwieg. Draußen schlugen die Wellen gegen die Felsen. "
        "Als es dunkel wurde, erschien in der Ferne endlich ein schwaches Licht, und der "
        "alte Mann atmete erleichtert auf.\n"
    ),
    "es": (
        "Capítulo primero. El faro\n\n"
        "En un pequeño pueblo junto al mar había un faro blanco. El viejo farero vivía allí "
        "desde hacía treinta años. Cada tarde subía la escalera de caracol, limpiaba la gran "
        "lámpara y después se sentaba junto a la ventana a tomar té mientras miraba cómo los "
        "barcos pesqueros volvían despacio al puerto.\n"
        "—Hoy sopla mucho el viento —le dijo al gato pardo que dormía a sus pies—. "
        "¿Cuándo volverá el barco de Íñigo?\n"
        "El gato entornó los ojos y no contestó. Fuera, las olas rompían contra las rocas. "
        "Al anochecer apareció por fin una luz débil a lo lejos, y el anciano suspiró aliviado.\n"
    ),
    "pl": (
        "Rozdział pierwszy. Latarnia\n\n"
        "W małym nadmorskim miasteczku stała biała latarnia morska. Stary latarnik mieszkał "
        "w niej od trzydziestu lat. Każdego wieczoru wspinał się po krętych schodach, "
        "czyścił wielką lampę, a potem siadał przy oknie, pił herbatę i patrzył, jak łodzie "
        "rybackie powoli wracają do portu.\n"
        "— Dziś wieje mocny wiatr — powiedział do rudego kota, który drzemał u jego stóp. "
        "— Ciekawe, kiedy wróci łódź Łukasza.\n"
        "Kot zmrużył oczy i nic nie odpowiedział. Za oknem fale rozbijały się o skały. "
        "Gdy zapadł zmrok, w oddali pojawiło się wreszcie słabe światło i staruszek "
        "odetchnął z ulgą.\n"
    ),
    "cs": (
        "První kapitola. Maják\n\n"
        "V malém přímořském městečku stál bílý maják. Starý strážce v něm žil už třicet let. "
        "Každý večer vystoupal po točitém schodišti nahoru, vyleštil velkou lampu a pak si "
        "sedl k oknu, pil čaj a díval se, jak se rybářské čluny pomalu vracejí do přístavu.\n"
        "„Dnes fouká silný vítr,“ řekl ryšavé kočce, která dřímala u jeho nohou. "
        "„Kdy se asi vrátí Jiříkův člun?“\n"
        "Kočka přimhouřila oči a neodpověděla. Venku se vlny tříštily o skály. Když se "
        "setmělo, objevilo se v dálce konečně slabé světlo a stařec si úlevně oddechl.\n"
    ),
    "en": (
        "Chapter One. The Lighthouse\n\n"
        "In a small town by the sea there stood a white lighthouse. The old keeper had lived "
        "in it for thirty years. Every evening he climbed the winding stairs, polished the "
        "great lamp, and then sat by the window, drinking tea and watching the fishing boats "
        "come slowly back into the harbour.\n"
        "\"The wind is strong today,\" he said to the ginger cat dozing at his feet. "
        "\"I wonder when Tom's boat will be back.\"\n"
        "The cat narrowed its eyes and said nothing. Outside, the waves broke on the rocks. "
        "When it grew dark, a faint light appeared at last in the distance, and the old man "
        "let out a long sigh of relief.\n"
    ),
}

# A few characters beyond the common sets, where an encoding has them.
EXTRA = {
    "gb18030": "　　老人翻开一本旧书，书里写着几个罕见的字：𠀀、𠀁、𪚥，还有欧元符号€。\n",
    "cp949": "　그 마을 사람들은 할아버지를 똠이라고 불렀습니다. 뷁.\n",
}

BOOK_SIZE = 100 * 1024

LANGUAGE_ENCODINGS = {
    "zh_CN": ["utf-8", "gbk", "gb18030", "hz", "utf-16-le", "utf-16-be"],
    "zh_TW": ["utf-8", "big5", "utf-16-le"],
    "ja": ["utf-8", "shift_jis", "euc_jp", "iso2022_jp", "utf-16-le"],
    "ko": ["utf-8", "euc_kr", "cp949", "iso2022_kr"],
    "ru": ["utf-8", "koi8_r", "cp1251", "cp866", "iso8859_5", "utf-16-le"],
    "el": ["utf-8", "cp1253", "iso8859_7"],
    "fr": ["utf-8", "cp1252", "iso8859_15"],
    "de": ["utf-8", "cp1252", "latin-1"],
    "es": ["utf-8", "cp1252"],
    "pl": ["utf-8", "cp1250", "iso8859_2"],
    "cs": ["utf-8", "cp1250", "iso8859_2"],
    "en": ["utf-8", "utf-16-le", "utf-16-be", "utf-32-le", "utf-32-be"],
}

MARKS = {"utf-8": b"\xef\xbb\xbf", "utf-16-le": b"\xff\xfe", "utf-16-be": b"\xfe\xff"}


def book_text(language, encoding):
    passage = PASSAGES[language]
    extra = EXTRA.get(encoding, "")
    unit = passage + extra
    return unit * max(1, BOOK_SIZE // len(unit.encode("utf-8")))


def first_paragraph(language):
    lines = [line for line in PASSAGES[language].split("\n") if len(line) > 20]
    return lines[0] + "\n"


def representable(text, encoding):
    """The text less the characters an encoding cannot hold (curly quotes in Latin-1, say)."""
    return "".join(c for c in text if c.encode(encoding, errors="ignore"))


def cases():
    for language, encodings in LANGUAGE_ENCODINGS.items():
        for encoding in encodings:
            text = representable(book_text(language, encoding), encoding)
            yield f"{language}.{encoding}", text.encode(encoding), text
            short = representable(first_paragraph(language), encoding)
            yield f"{language}.{encoding}.short", short.encode(encoding), short

    for language, encoding in [("zh_CN", "utf-8"), ("ja", "utf-16-le"), ("ru", "utf-8")]:
        text = book_text(language, encoding)
        yield f"{language}.{encoding}.mark", MARKS[encoding] + text.encode(encoding), text

    # Damage readers meet in downloaded books: a stray byte, a character cut off at the end.
    for language in ["zh_CN", "ja", "ru", "ko"]:
        text = book_text(language, "utf-8")
        data = text.encode("utf-8")
        stray = int(len(data) * 0.3)
        while data[stray] & 0xC0 == 0x80:
            stray += 1
        prefix = data[:stray].decode("utf-8")
        yield (f"{language}.utf-8.stray-byte", data[:stray] + b"\xff" + data[stray:],
               prefix + "\ufffd" + text[len(prefix):])
        end = max(i for i, c in enumerate(text) if ord(c) > 0x7F)
        last = text[end].encode("utf-8")
        cut = text[:end].encode("utf-8") + last[:-1]
        yield (f"{language}.utf-8.cut-off", cut, text[:end] + "\ufffd" * (len(last) - 1))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, data, text in cases():
        with open(os.path.join(folder, name + ".txt"), "wb") as book:
            book.write(data)
        with open(os.path.join(folder, name + ".expected"), "wb") as expected:
            expected.write(text.encode("utf-8"))


if __name__ == "__main__":
    main()
