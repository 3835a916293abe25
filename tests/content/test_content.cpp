// Checks the game's question and action card texts: file format, answers and
// card codes the game can use, and that every text fits the element showing it
// in the fonts the game uses (measured with Qt's own font metrics).

#include <QFile>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <vector>

namespace {

const QString kDir = QStringLiteral(TJ_CONTENT_DIR);
const QString kEasy = QStringLiteral("tabFragen_leicht.tsv");
const QString kHard = QStringLiteral("tabFragen_schwer.tsv");
const QString kCards = QStringLiteral("tabAktion.tsv");

const QStringList kQuestionHeader{"Frage", "Antwort1", "Antwort2", "Antwort3", "Antwort Richtig"};
const QStringList kCardHeader{QStringLiteral("Aktionskürzel"), "Aktion", "Aktionstext", "Bildnr"};

// Field positions in a card record.
enum CardField { Code = 0, Title = 1, Text = 2, Picture = 3 };

struct Record {
    int line = 0;  // 1-based line in the file; the header is line 1
    QStringList fields;
};

// One tab-separated file as read from disk; `problems` lists what could not be read.
struct Table {
    QString file;
    QStringList header;
    std::vector<Record> records;
    QStringList problems;
};

Table readTable(const QString& file) {
    Table table{file, {}, {}, {}};
    QFile in(kDir + '/' + file);
    if (!in.open(QIODevice::ReadOnly)) {
        table.problems << file + ": cannot be opened";
        return table;
    }
    const QString all = QString::fromUtf8(in.readAll());
    if (!all.endsWith('\n')) table.problems << file + ": does not end with a line break";
    QStringList lines = all.split('\n');
    if (lines.last().isEmpty()) lines.removeLast();
    if (lines.isEmpty()) return table;
    table.header = lines.takeFirst().split('\t');
    for (int i = 0; i < lines.size(); ++i) table.records.push_back({i + 2, lines[i].split('\t')});
    return table;
}

const Table& table(const QString& file) {
    static std::map<QString, Table> cache;
    auto it = cache.find(file);
    if (it == cache.end()) it = cache.emplace(file, readTable(file)).first;
    return it->second;
}

// "file:line" of a record, for failure messages.
std::string place(const QString& file, const Record& r) {
    return (file + ':' + QString::number(r.line)).toStdString();
}

std::string where(const QString& file, const Record& r) { return place(file, r) + ": "; }

// Texts that players would read as the same: case and blanks do not count.
QString sameForPlayers(const QString& text) {
    return text.toCaseFolded().remove(QRegularExpression(QStringLiteral("\\s")));
}

// Questions compared by their letters and digits only.
QString questionKey(const QString& text) {
    return text.toCaseFolded().remove(QRegularExpression(QStringLiteral("[^\\w]|_")));
}

// ---- Format ---------------------------------------------------------------

// Every file has the exact field names, and every record fills every field
// with text that has no blank at either end (a padded card code has no effect).
TEST(ContentFormat, HeaderFieldCountAndFilledFields) {
    const std::vector<std::pair<QString, QStringList>> files{
        {kEasy, kQuestionHeader}, {kHard, kQuestionHeader}, {kCards, kCardHeader}};
    for (const auto& [file, header] : files) {
        const Table& t = table(file);
        for (const QString& p : t.problems) ADD_FAILURE() << p.toStdString();
        EXPECT_EQ(t.header.join('|').toStdString(), header.join('|').toStdString())
            << file.toStdString() << ": wrong header";
        EXPECT_FALSE(t.records.empty()) << file.toStdString() << ": no records";
        for (const Record& r : t.records) {
            EXPECT_EQ(r.fields.size(), header.size())
                << where(file, r) << "field count: " << r.fields.join(" | ").toStdString();
            for (const QString& f : r.fields) {
                EXPECT_FALSE(f.isEmpty()) << where(file, r) << "empty field";
                EXPECT_TRUE(f == f.trimmed()) << where(file, r) << "blank at an end of '" << f.toStdString() << "'";
            }
        }
    }
}

// ---- Questions --------------------------------------------------------------

// The right answer and the three wrong ones are four different texts.
TEST(ContentQuestions, FourDistinctAnswers) {
    for (const QString& file : {kEasy, kHard}) {
        for (const Record& r : table(file).records) {
            if (r.fields.size() != kQuestionHeader.size()) continue;
            QSet<QString> answers;
            for (int i = 1; i <= 4; ++i) answers.insert(sameForPlayers(r.fields[i]));
            EXPECT_EQ(answers.size(), 4) << where(file, r) << r.fields[0].toStdString();
        }
    }
}

// No question is asked twice, in one level or across both.
TEST(ContentQuestions, NoQuestionTwice) {
    std::map<QString, std::string> seen;
    for (const QString& file : {kEasy, kHard}) {
        for (const Record& r : table(file).records) {
            if (r.fields.isEmpty()) continue;
            const auto [it, fresh] = seen.emplace(questionKey(r.fields[0]), place(file, r));
            EXPECT_TRUE(fresh) << where(file, r) << r.fields[0].toStdString() << " (also at " << it->second << ")";
        }
    }
}

// ---- Action cards -----------------------------------------------------------

// The pictures that may show each code's effect (Bilder/<n>.gif).
const std::map<QString, QSet<QString>> kPicturesForCode{
    {"+10L", {"1"}}, {"+5L", {"2"}}, {"-10L", {"3"}}, {"-5L", {"4"}}, {"+2", {"5"}},
    {"+4", {"6"}},   {"-2", {"7"}},  {"-4", {"8"}},   {"P", {"9", "10"}}};

// Each card carries a code the game applies; each code is on two cards or more.
TEST(ContentCards, KnownCodesEachOnTwoCards) {
    std::map<QString, int> count;
    for (const Record& r : table(kCards).records) {
        if (r.fields.size() != kCardHeader.size()) continue;
        const QString& code = r.fields[Code];
        EXPECT_TRUE(kPicturesForCode.contains(code)) << where(kCards, r) << "unknown code '" << code.toStdString() << "'";
        ++count[code];
    }
    for (const auto& [code, pictures] : kPicturesForCode)
        EXPECT_GE(count[code], 2) << "code " << code.toStdString() << " is on too few cards";
}

// The picture number names one of the pictures drawn for the card's effect.
TEST(ContentCards, PictureMatchesCode) {
    for (const Record& r : table(kCards).records) {
        if (r.fields.size() != kCardHeader.size()) continue;
        const auto it = kPicturesForCode.find(r.fields[Code]);
        if (it == kPicturesForCode.end()) continue;
        EXPECT_TRUE(it->second.contains(r.fields[Picture]))
            << where(kCards, r) << "picture " << r.fields[Picture].toStdString() << " does not fit code "
            << r.fields[Code].toStdString();
    }
}

// ---- Fit --------------------------------------------------------------------

// A text element: its font and the pixel rectangle the text is wrapped into.
struct Box {
    QFont font;
    int width;
    int height;
};

QFont font(const QString& family, int pixelSize, bool bold, bool italic) {
    QFont f(family);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

// The question label, an answer button less its padding, the card title and text labels.
Box questionBox() { return {font("Liberation Sans", 16, true, false), 393, 97}; }
Box answerBox() { return {font("Liberation Sans", 13, true, false), 167, 73}; }
Box cardTitleBox() { return {font("Comic Neue", 19, false, true), 209, 49}; }
Box cardTextBox() { return {font("Comic Neue", 16, false, true), 209, 105}; }

// Why `text` does not fit `box` when word-wrapped, or nothing when it fits.
std::optional<std::string> misfit(const Box& box, const QString& text) {
    const QFontMetrics fm(box.font);
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        if (const int w = fm.horizontalAdvance(word); w > box.width)
            return QString("word '%1' is %2 px wide, room %3").arg(word).arg(w).arg(box.width).toStdString();
    }
    const QRect need = fm.boundingRect(QRect(0, 0, box.width, box.height), Qt::TextWordWrap, text);
    if (need.width() > box.width || need.height() > box.height)
        return QString("needs %1 x %2 px, room %3 x %4")
            .arg(need.width()).arg(need.height()).arg(box.width).arg(box.height).toStdString();
    return std::nullopt;
}

void expectFits(const Box& box, const QString& file, const Record& r, int field) {
    if (field >= r.fields.size()) return;
    const auto why = misfit(box, r.fields[field]);
    EXPECT_FALSE(why) << where(file, r) << r.fields[field].toStdString() << ": " << why.value_or("");
}

// Measurements only mean something in the fonts the game really draws with.
TEST(ContentFit, GameFontsInstalled) {
    for (const Box& box : {questionBox(), cardTextBox()}) {
        const QFontInfo info(box.font);
        EXPECT_EQ(info.family(), box.font.family()) << "font missing: " << box.font.family().toStdString();
    }
}

// Guards the measurement itself: texts that cannot fit are reported.
TEST(ContentFit, OverlongTextsRejected) {
    const QString longWord = QStringLiteral("Donaudampfschifffahrtsgesellschaftskapitän");
    EXPECT_TRUE(misfit(answerBox(), longWord));
    EXPECT_TRUE(misfit(questionBox(), QString("Wer weiß das schon? ").repeated(12)));
    EXPECT_TRUE(misfit(cardTitleBox(), QStringLiteral("Ein Titel, der drei Zeilen braucht, ist für dieses Feld viel zu lang")));
    EXPECT_FALSE(misfit(answerBox(), QStringLiteral("Berlin")));
}

TEST(ContentFit, QuestionsAndAnswersFitTheirElements) {
    for (const QString& file : {kEasy, kHard}) {
        for (const Record& r : table(file).records) {
            expectFits(questionBox(), file, r, 0);
            for (int i = 1; i <= 4; ++i) expectFits(answerBox(), file, r, i);
        }
    }
}

TEST(ContentFit, CardTitlesAndTextsFitTheirLabels) {
    for (const Record& r : table(kCards).records) {
        expectFits(cardTitleBox(), kCards, r, Title);
        expectFits(cardTextBox(), kCards, r, Text);
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QGuiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
