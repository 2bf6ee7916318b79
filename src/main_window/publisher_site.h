// The publisher's web site: its root, and the address of each of its pages.
#pragma once

#include <QString>
#include <QStringView>

// The root of the publisher's web site; every site page is this followed by a page path.
inline constexpr QStringView kPublisherBaseUrl = u"http://www.zelsoft.example/";

// The address of a site page: the base URL followed by the page path as it stands, nothing
// escaped or trimmed.
inline QString siteAddress(QStringView page)
{
    return kPublisherBaseUrl + page;
}
