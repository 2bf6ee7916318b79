// Zel Tidewell — a small desktop news reader.
#pragma once

#include <QStringView>

// The root of the publisher's web site; every site page is this followed by a page path.
inline constexpr QStringView kPublisherBaseUrl = u"http://www.zelsoft.example/";
