#pragma once
// The publisher's contact values, the one place that holds them. All are made up: the area
// code 000 is not in use and .example is a reserved domain, so nothing reaches a real party.
// Each value fits its label in Arial at the block's sizes; a longer one would be cut off.

#include <QStringView>

namespace vum::contact_details {

inline constexpr QStringView CompanyName = u"Студия ВУМ";
inline constexpr QStringView Phone1 = u"(000) 123-45-67";
inline constexpr QStringView Phone2 = u"(000) 123-45-68";
inline constexpr QStringView Fax = u"(000) 123-45-69";
// Shown without a scheme, as the addresses were printed in their time; the web link puts
// "http://" in front when it opens it.
inline constexpr QStringView WebAddress = u"www.vum.example";
inline constexpr QStringView MailAddress = u"info@vum.example";

}  // namespace vum::contact_details
