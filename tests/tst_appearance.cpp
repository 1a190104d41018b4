#include "testmain.h"
#include "windowdriver.h"

class TestAppearance : public QObject
{
    Q_OBJECT

private slots:
};

LEXORIN_TEST_MAIN(TestAppearance)
#include "tst_appearance.moc"
