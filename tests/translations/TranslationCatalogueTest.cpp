// The English catalogue (translations/heskmonitor_en.ts): every message is translated,
// keeps its placeholders and accelerator, and every text the code marks for translation
// is in it (lupdate run over src/app and src/core into a temporary file).

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;  // the translation's type attribute: empty when finished
};

std::vector<Message> readCatalogue(const QString& path, QString* error)
{
    std::vector<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read ") + path;
        return messages;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message{context, {}, {}, {}};
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText();
            messages.push_back(message);
        }
    }
    if (xml.hasError())
        *error = path + QStringLiteral(": ") + xml.errorString();
    return messages;
}

QString catalogue() { return QStringLiteral(HESK_SOURCE_DIR "/translations/heskmonitor_en.ts"); }

std::string where(const Message& m) { return (m.context + QStringLiteral(": ") + m.source).toStdString(); }

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("%[1-9]"));
    QSet<QString> found;
    for (auto it = pattern.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured());
    return found;
}

// An accelerator is "&" before a character other than "&" and space ("&&" is a literal &).
bool hasAccelerator(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (!text[i + 1].isSpace())
            return true;
    }
    return false;
}

TEST(TranslationCatalogueTest, helpersSeeThePatternsTheyCheck)
{
    EXPECT_EQ(placeholders(QStringLiteral("共%1行：相同%2行，%1")), (QSet<QString>{QStringLiteral("%1"), QStringLiteral("%2")}));
    EXPECT_TRUE(placeholders(QStringLiteral("100% of %n")).isEmpty());
    EXPECT_TRUE(hasAccelerator(QStringLiteral("文件(&F)")));
    EXPECT_TRUE(hasAccelerator(QStringLiteral("&Open...")));
    EXPECT_FALSE(hasAccelerator(QStringLiteral("Save && close")));
    EXPECT_FALSE(hasAccelerator(QStringLiteral("A & B")));
}

TEST(TranslationCatalogueTest, everyMessageIsTranslatedWithItsPlaceholdersAndAccelerator)
{
    QString error;
    const std::vector<Message> messages = readCatalogue(catalogue(), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_FALSE(messages.empty());
    for (const Message& m : messages) {
        if (m.type == QLatin1String("vanished") || m.type == QLatin1String("obsolete"))
            continue;
        EXPECT_TRUE(m.type.isEmpty()) << "not finished (" << m.type.toStdString() << "): " << where(m);
        EXPECT_FALSE(m.translation.trimmed().isEmpty()) << "no English: " << where(m);
        EXPECT_EQ(placeholders(m.translation), placeholders(m.source)) << "placeholders differ: " << where(m);
        if (hasAccelerator(m.source)) {
            EXPECT_TRUE(hasAccelerator(m.translation)) << "accelerator lost: " << where(m);
        }
    }
}

// A text wrapped in the code but missing from the committed catalogue (or left
// unfinished there) would show in Chinese in the English window.
TEST(TranslationCatalogueTest, everyMarkedTextOfTheCodeHasATranslation)
{
    const QString lupdate = QStringLiteral(HESK_LUPDATE_PATH);
    if (lupdate.isEmpty() || !QFile::exists(lupdate))
        GTEST_SKIP() << "lupdate is not installed (tools/install-deps.sh installs qt6-l10n-tools)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString scanned = dir.filePath(QStringLiteral("scanned_en.ts"));
    QProcess process;
    process.setWorkingDirectory(QStringLiteral(HESK_SOURCE_DIR));
    process.start(lupdate, {QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                            QStringLiteral("-source-language"), QStringLiteral("zh_CN"),
                            QStringLiteral("-target-language"), QStringLiteral("en"), QStringLiteral("src/app"),
                            QStringLiteral("src/core"), QStringLiteral("-ts"), scanned});
    ASSERT_TRUE(process.waitForFinished(120000)) << "lupdate did not finish";
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();

    QString error;
    const std::vector<Message> inCode = readCatalogue(scanned, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    ASSERT_FALSE(inCode.empty());
    const std::vector<Message> committed = readCatalogue(catalogue(), &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    QSet<QString> translated;
    for (const Message& m : committed)
        if (m.type.isEmpty() && !m.translation.isEmpty())
            translated.insert(m.context + QLatin1Char('\n') + m.source);
    for (const Message& m : inCode)
        EXPECT_TRUE(translated.contains(m.context + QLatin1Char('\n') + m.source))
            << "no English in translations/heskmonitor_en.ts for " << where(m);
}

}  // namespace
