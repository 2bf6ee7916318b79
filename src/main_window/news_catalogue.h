// The news catalogue: the sub-categories of each category, and the page of each code.
#pragma once

#include <QStringView>

#include <span>

// The news catalogue, fixed in the program: the sub-categories of each category of List1, and
// the page that each sub-category code opens.
struct SubCategory
{
    QStringView caption;
    qint32 code;
};

// The sub-categories of the category at this index of List1, in order; none for any other index.
std::span<const SubCategory> subCategoriesOf(int categoryIndex);

// The page path of a sub-category code; a null view for a code outside 1 to 9.
QStringView pagePathOf(qint32 code);
