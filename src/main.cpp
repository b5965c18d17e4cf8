#include "window/batch.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // A batch never shows its window, so it needs no display.
    if (tarquel::wantsHeadless(argc, argv))
        tarquel::prepareHeadless();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tarquel"));
    return tarquel::runCommandLine(QApplication::arguments());
}
