// The news catalogue's two tables: sub-categories and their pages.
#include "news_catalogue.h"

#include <array>

namespace {

constexpr SubCategory kTechnology[] = {
    {u"Computer Technology News", 1},
    {u"Internet Technology News", 2},
    {u"Multimedia Technology News", 3},
    {u"More Technology, Business, & Articles", 4},
};
constexpr SubCategory kEntertainment[] = {
    {u"Top10 Movies News", 5},
    {u"Computer Video Games News", 6},
};
constexpr SubCategory kSportsTournaments[] = {
    {u"Golf Tournaments News", 7},
    {u"Tennis Tournaments News", 8},
};
constexpr SubCategory kWorld[] = {
    {u"World Politics & Events News", 9},
};

constexpr std::array<std::span<const SubCategory>, 4> kCategories = {kTechnology, kEntertainment,
                                                                     kSportsTournaments, kWorld};

// Indexed by code - 1.
constexpr std::array<QStringView, 9> kPagePaths = {
    u"computer_technology.htm",
    u"internet_technology.htm",
    u"multimedia_technology.htm",
    u"industry_news.htm",
    u"movies.htm",
    u"computer_games.htm",
    u"golf_tournaments.htm",
    u"tennis_tournaments.htm",
    u"world_press_news.htm",
};

} // namespace

std::span<const SubCategory> subCategoriesOf(int categoryIndex)
{
    if (categoryIndex < 0 || categoryIndex >= int(kCategories.size()))
        return {};
    return kCategories[categoryIndex];
}

QStringView pagePathOf(qint32 code)
{
    if (code < 1 || code > qint32(kPagePaths.size()))
        return {};
    return kPagePaths[code - 1];
}
