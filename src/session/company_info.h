// The information message of each listed company: its title and its description.
#pragma once

#include <QString>

namespace session {

struct CompanyInformation {
    QString title;       // the message box's title; two differ from the option-button captions
    QString description; // one paragraph, shown as the message text
};

inline constexpr int kCompanyInformationCount = 17;

// The entry of company index 0..16, its description in the player's language; any other index
// gives an entry with empty texts.
CompanyInformation companyInformation(int index);

} // namespace session
