#ifndef BOOKCLEANUPRULE_H
#define BOOKCLEANUPRULE_H

#include "cleanuprule.h"

#include <QMetaType>

// A clean-up rule as the library keeps it: for every book, or for one book alone. The
// built-in rules are for every book; only whether they are on is kept of them.
struct BookCleanupRule
{
    CleanupRule rule;
    bool forAllBooks = true;

    bool operator==(const BookCleanupRule &other) const
    {
        return rule == other.rule && forAllBooks == other.forAllBooks;
    }
    bool operator!=(const BookCleanupRule &other) const { return !(*this == other); }
};

Q_DECLARE_METATYPE(BookCleanupRule)

#endif
