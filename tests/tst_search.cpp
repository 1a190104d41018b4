#include "testmain.h"
#include "windowdriver.h"

class TestSearch : public QObject
{
    Q_OBJECT

private slots:
};

LEXORIN_TEST_MAIN(TestSearch)
#include "tst_search.moc"
