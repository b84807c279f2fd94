// The seventeen company information texts.
#include "session/company_info.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(CompanyInformation, SeventeenOneParagraphTexts)
{
    std::set<QString> titles;
    for (int i = 0; i < session::kCompanyInformationCount; ++i) {
        SCOPED_TRACE(i);
        const session::CompanyInformation& info = session::companyInformation(i);
        EXPECT_FALSE(info.title.isEmpty());
        EXPECT_GT(info.description.size(), 80);
        EXPECT_FALSE(info.description.contains(QLatin1Char('\n')));
        EXPECT_FALSE(info.description.contains(QLatin1Char('\r')));
        EXPECT_EQ(info.description, info.description.trimmed());
        titles.insert(info.title);
    }
    EXPECT_EQ(titles.size(), 17u);

    const QStringList expected = {
        "CarlOil", "Tolva Transport", "QMT Records", "Tolva Image", "AliTolva",
        "Dr. Pondo Glemi Research", "Car-Loh Chinese Import", "ScoReggiana", "Mulino Verde",
        "Carega Racing Team", "T.A.S.A.", "Chez Carlettò", "New Tolv Times",
        "Centrale Nucleare di Elsa", "Carlos' Ranch", "Tolva Railroad", "Tolvasoft"};
    for (int i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(session::companyInformation(i).title, expected[i]) << i;
    }
}

TEST(CompanyInformation, QuotesAccentsAndEnds)
{
    const QString first = session::companyInformation(0).description;
    EXPECT_TRUE(first.startsWith(QStringLiteral("\"Tutto liscio come l'olio\" è il proverbio")));
    EXPECT_TRUE(first.endsWith(QStringLiteral("maggiore produttrice di petrolio nel mondo.")));

    const QString third = session::companyInformation(2).description;
    EXPECT_TRUE(third.endsWith(
        QStringLiteral("\"Cosa fare se sei con Tolva e comincia un terremoto\".")));
    EXPECT_TRUE(third.contains(QStringLiteral("informazione e d educativi")));

    EXPECT_EQ(session::companyInformation(11).title, QString::fromUtf8("Chez Carlett\xC3\xB2"));
    EXPECT_TRUE(session::companyInformation(4).description.startsWith(
        QStringLiteral("I vostri guadagni decolleranno")));
    EXPECT_TRUE(session::companyInformation(14).description.endsWith(
        QStringLiteral("strane elaborazioni genetiche...")));
    EXPECT_TRUE(session::companyInformation(16).description.startsWith(
        QStringLiteral("E' inutile parlare di un'azienda che fa parlare di se")));
    EXPECT_TRUE(session::companyInformation(8).description.contains(
        QString::fromUtf8("pastasfoglia di una volta... Se volete")));
}

TEST(CompanyInformation, AnIndexOutsideTheTableGivesEmptyTexts)
{
    for (int index : {-1, 17, 1000}) {
        EXPECT_TRUE(session::companyInformation(index).title.isEmpty()) << index;
        EXPECT_TRUE(session::companyInformation(index).description.isEmpty()) << index;
    }
}

} // namespace
