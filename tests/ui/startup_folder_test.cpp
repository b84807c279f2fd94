// The whole start-up from a play folder of hand-written files, checked in every text shown.
#include "platform/folder_store.h"
#include "platform/local_path.h"
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "records/store.h"
#include "session/saver.h"
#include "ui/main_window.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void write(const QDir& dir, const char* name, const QByteArray& bytes)
{
    QFile file(dir.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray lines(const QStringList& values, const char* end = "\r\n")
{
    QByteArray out;
    for (const QString& value : values) {
        out += '"' + value.toLatin1() + '"' + end;
    }
    return out;
}

} // namespace

TEST(StartUpFromFolder, ShowsEveryTextOfHandWrittenFiles)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QDir dir(folder.path());
    QStringList shares, yesterday, change, today;
    for (int i = 0; i < 17; ++i) {
        shares << QString::number(i * 3);
        yesterday << (i % 4 == 0 ? QString() : QStringLiteral("%1,5").arg(i + 10));
        change << (i % 4 == 0 ? QString() : QStringLiteral("-%1,%2").arg(i % 10).arg(i * 5));
        today << QStringLiteral("%1,25").arg(i + 100);
    }
    today[8] = QStringLiteral(" Fallita");
    today[9] = QStringLiteral("0");
    today[10] = QStringLiteral("1E+300");
    write(dir, "Data1", lines(shares));
    write(dir, "Data2", lines(yesterday, "\n")); // written by an editor that ends lines in LF
    change[2] = QStringLiteral("\u00e8 2,10"); // a Windows-1252 letter where no number is read
    write(dir, "Data3", lines(change));
    write(dir, "Data4", lines(today) + "\"extra\"\r\n\"records\"\r\n");
    write(dir, "Data5", "\"  98765,43\"\r\n");
    write(dir, "data7", "\"29 Feb 2100\"\r\n");
    const QByteArray data4Before = lines(today) + "\"extra\"\r\n\"records\"\r\n";

    platform::FolderStore store(platform::localPath(folder.path()));
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);
    ui::Form1 form(session);

    const auto text = [&form](const QString& name) {
        const QLabel* label = form.findChild<QLabel*>(name);
        EXPECT_NE(label, nullptr) << name.toStdString();
        return label ? label->text() : QString();
    };
    for (int i = 0; i < 17; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(text(QStringLiteral("Label1(%1)").arg(i)), shares[i]);
        EXPECT_EQ(text(QStringLiteral("Label2(%1)").arg(i)), yesterday[i]);
        EXPECT_EQ(text(QStringLiteral("Label3(%1)").arg(i)), change[i]);
        EXPECT_EQ(text(QStringLiteral("Label4(%1)").arg(i)), today[i]);
    }
    EXPECT_EQ(text(QStringLiteral("Label5")), QStringLiteral("  98765,43"));
    const auto* date = form.findChild<ui::PictureButton*>(QStringLiteral("Command4"));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->caption(), QStringLiteral("29 Feb 2100"));
    EXPECT_TRUE(dialogs.boxes().empty());
    EXPECT_EQ(random.seeds(), 1);

    // A clean start writes nothing: the hand-written files stay exactly as they were.
    QFile data4(dir.filePath(QStringLiteral("Data4")));
    ASSERT_TRUE(data4.open(QIODevice::ReadOnly));
    EXPECT_EQ(data4.readAll(), data4Before);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("Data.journal"))));
}
