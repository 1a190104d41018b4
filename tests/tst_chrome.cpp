#include "testmain.h"
#include "windowdriver.h"

class TestChrome : public QObject
{
    Q_OBJECT

private slots:
};

LEXORIN_TEST_MAIN(TestChrome)
#include "tst_chrome.moc"
