#ifndef BOOKGENERATOR_H
#define BOOKGENERATOR_H

#include <QRandomGenerator>
#include <QString>
#include <QStringEncoder>

// Deterministic stand-ins for the long web novels our readers open: chapters of a few
// dozen paragraphs of common Chinese characters, each indented and on its own CRLF line,
// and, if asked for, a volume heading before every so many chapters.
namespace BookGenerator {

inline QString chineseNovel(qsizetype approximateBytesInGbk, quint32 seed = 1210,
                            int chaptersPerVolume = 0)
{
    static const QString characters = QStringLiteral(
            "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方"
            "后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它"
            "合还因由其些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条"
            "只没结解问意建月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长求老头基资"
            "边流路级少图山统接知较将组见计别她手角期根论运农指几九区强放决西被干做必战先回则任取据处队南给色光门即保治北"
            "造百规热领七海口东导器压志世金增争济阶油思术极交受联什认六共权收证改清己美再采转更单风切打白教速花带安场身车"
            "例真务具万每目至达走积示议声报斗完类八离华名确才科张信马节话米整空元况今集温传土许步群广石记需段研界拉林律叫"
            "且究观越织装影算低持音众书布复容儿须际商非验连断深难近矿千周委素技备半办青省列习响约支般史感劳便团往酸历市克"
            "何除消构府称太准精值号率族维划选标写存候毛亲快效斯院查江型眼王按格养易置派层片始却专状育厂京识适属圆包火住调"
            "满县局照参红细引听该铁价严龙飞");
    static const QString punctuation = QStringLiteral("，，，，。。！？；：、");

    QRandomGenerator random(seed);
    QString text;
    text.reserve(approximateBytesInGbk / 2 + 1024);
    int chapter = 0;
    while (text.size() * 2 < approximateBytesInGbk) {
        if (chaptersPerVolume > 0 && chapter % chaptersPerVolume == 0)
            text += QStringLiteral("第%1卷　卷名\r\n\r\n").arg(chapter / chaptersPerVolume + 1);
        text += QStringLiteral("第%1章　").arg(++chapter);
        for (int i = 0; i < 6; ++i)
            text += characters[random.bounded(characters.size())];
        text += QStringLiteral("\r\n\r\n");
        const int paragraphs = random.bounded(20, 60);
        for (int p = 0; p < paragraphs; ++p) {
            text += QStringLiteral("　　");
            const int sentences = random.bounded(1, 8);
            for (int s = 0; s < sentences; ++s) {
                const int length = random.bounded(4, 30);
                for (int c = 0; c < length; ++c)
                    text += characters[random.bounded(characters.size())];
                text += punctuation[random.bounded(punctuation.size())];
            }
            text += QStringLiteral("\r\n");
        }
        text += QStringLiteral("\r\n");
    }
    return text;
}

inline QByteArray encoded(const QString &text, const char *encoding)
{
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

}

#endif
