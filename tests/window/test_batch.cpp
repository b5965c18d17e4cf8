#include "plotting/sine_display.h"
#include "plotting/sine_integrate.h"
#include "window/frm_tarquel.h"
#include "window/recording_window.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <functional>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace tarquel;

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs the program; `prepare` may change its folder, environment or
// streams, and `whileRunning` does what must happen while it runs.
Run runTarquel(const QStringList& arguments, const std::function<void(QProcess&)>& prepare = {},
               const std::function<void()>& whileRunning = {})
{
    QProcess process;
    if (prepare)
        prepare(process);
    process.start(QStringLiteral(TARQUEL_EXECUTABLE), arguments);
    if (!process.waitForStarted(60000))
        return {};
    if (whileRunning)
        whileRunning();
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

struct SvgElement {
    QString name;
    QXmlStreamAttributes attributes;
    QString group; // id of the enclosing <g>, if any
};

QList<SvgElement> svgElements(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QList<SvgElement> elements;
    QStringList groups{QString()};
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            elements.push_back({xml.name().toString(), xml.attributes(), groups.back()});
            if (xml.name() == QLatin1String("g"))
                groups << xml.attributes().value("id").toString();
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("g")) {
            groups.removeLast();
        }
    }
    return xml.hasError() ? QList<SvgElement>{} : elements;
}

} // namespace

class TestBatch : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(dir_.isValid()); }

    void demoWithPictures()
    {
        const QString png = dir_.filePath("demo.png");
        const QString svg = dir_.filePath("demo.svg");
        const Run run = runTarquel(
            {"--batch", "--png", png, "--svg", svg, "display", "integrate", "0", "3.141592"});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(run.out, QStringLiteral("계산결과  1.999\n"));

        // The PNG is the client area exactly as the window shows it.
        const QImage image(png);
        QCOMPARE(image.size(), QSize(604, 279));
        FrmTarquel form;
        mnuSiDisp_Click(form);
        RecordingWindow answers(&form);
        answers.answers = {QStringLiteral("0"), QStringLiteral("3.141592")};
        mnuSinIn_Click(answers);
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
                 form.grabClientArea().convertToFormat(QImage::Format_RGB32));

        const QList<SvgElement> elements = svgElements(svg);
        QVERIFY(!elements.isEmpty());
        QCOMPARE(elements.front().attributes.value("viewBox").toString(),
                 QStringLiteral("0 0 9060 4185"));
        QList<SvgElement> lines, boxes;
        for (const SvgElement& e : elements) {
            if (e.group == QLatin1String("drawings") && e.name == QLatin1String("line"))
                lines << e;
            if (e.group == QLatin1String("drawings") && e.name == QLatin1String("rect"))
                boxes << e;
        }
        QCOMPARE(lines.size(), 3000);
        QCOMPARE(boxes.size(), 2000);
        QCOMPARE(lines[0].attributes.value("x1").toString(), QStringLiteral("840"));
        QCOMPARE(lines[0].attributes.value("y1").toString(), QStringLiteral("2280"));
        QCOMPARE(lines[0].attributes.value("x2").toString(), QStringLiteral("841.56"));
        QCOMPARE(lines[0].attributes.value("stroke").toString(), QStringLiteral("#00ff00"));
        QCOMPARE(lines[999].attributes.value("x2").toString(), QStringLiteral("2400"));
        // Box 1 has zero size, and is written all the same.
        QCOMPARE(boxes[0].attributes.value("x").toString(), QStringLiteral("2400"));
        QCOMPARE(boxes[0].attributes.value("width").toString(), QStringLiteral("0"));
        QCOMPARE(boxes[0].attributes.value("height").toString(), QStringLiteral("0"));
        QCOMPARE(boxes[0].attributes.value("stroke").toString(), QStringLiteral("#0000ff"));
        int axes = 0;
        for (const SvgElement& e : elements)
            axes += e.attributes.value("id").startsWith(QLatin1String("lin")) ? 1 : 0;
        QCOMPARE(axes, 2);
    }

    // The PNG is the 604 × 279 picture whatever the desktop's scale
    // settings; --scale N makes it N times larger, lines still one pixel.
    void pngPictures_data()
    {
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QSize>("size");
        QTest::newRow("plain") << QStringList{} << QStringList{} << QSize(604, 279);
        QTest::newRow("QT_SCALE_FACTOR=2")
            << QStringList{"QT_SCALE_FACTOR=2"} << QStringList{} << QSize(604, 279);
        QTest::newRow("QT_FONT_DPI=192")
            << QStringList{"QT_FONT_DPI=192"} << QStringList{} << QSize(604, 279);
        QTest::newRow("--scale 2")
            << QStringList{} << QStringList{"--scale", "2"} << QSize(1208, 558);
    }

    void pngPictures()
    {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, options);
        QFETCH(QSize, size);
        const QString png = dir_.filePath(QStringLiteral("scaled.png"));
        const Run run = runTarquel(QStringList{"--batch", "--png", png} + options +
                                       QStringList{"display", "integrate", "0", "3.141592"},
                                   [&](QProcess& process) {
                                       QProcessEnvironment changed =
                                           QProcessEnvironment::systemEnvironment();
                                       for (const QString& setting : environment)
                                           changed.insert(setting.section(QLatin1Char('='), 0, 0),
                                                          setting.section(QLatin1Char('='), 1));
                                       process.setProcessEnvironment(changed);
                                   });
        QCOMPARE(run.status, 0);
        QFile file(png);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QImage image = QImage::fromData(bytes);
        QCOMPARE(image.size(), size);
        if (size == QSize(604, 279)) {
            if (plainPng_.isEmpty())
                plainPng_ = bytes;
            QVERIFY(bytes == plainPng_);
            return;
        }
        // The horizontal axis is one device pixel on row floor(2280·2/15),
        // with no blue below it.
        QCOMPARE(image.pixelColor(200, 304), QColor(0, 0, 0));
        QCOMPARE(image.pixelColor(200, 305), QColor(255, 255, 255));
        for (int y = 305; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(image.pixelColor(x, y) != QColor(0, 0, 255));
    }

    void clearStartsTheRecordAfresh()
    {
        const QString svg = dir_.filePath("twice.svg");
        const Run run = runTarquel({"--batch", "--svg", svg, "integrate", "0", "1", "display"});
        QCOMPARE(run.status, 0);
        QStringList drawn;
        for (const SvgElement& e : svgElements(svg))
            if (e.group == QLatin1String("drawings"))
                drawn << e.name;
        QCOMPARE(drawn, QStringList(3000, QStringLiteral("line")));
    }

    void exitStatusAndReports_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("negative bounds are bounds")
            << QStringList{"--batch", "integrate", "-1", "-2"} << 0 << "계산결과  .956\n"
            << "";
        QTest::newRow("failure, then the batch goes on")
            << QStringList{"--batch", "integrate", "abc",       "1", "integrate",
                           "0",       "1",         "integrate", "",  "1"}
            << 1 << "\n계산결과  .459\n계산결과  .459\n"
            << "Run-time error '13': Type mismatch\nRun-time error '13': Type mismatch\n";
        QTest::newRow("overflow") << QStringList{"--batch", "integrate", "0", "1e36"} << 1 << "\n"
                                  << "Run-time error '6': Overflow\n";
        QTest::newRow("no commands") << QStringList{"--batch"} << 0 << ""
                                     << "";
        // The toolkit never takes a word of a batch for one of its options.
        for (const char* word :
             {"-platform", "-style", "-display", "-reverse", "-qwindowgeometry", "-session"})
            QTest::newRow(word) << QStringList{"--batch", "integrate", word, "0"} << 1 << "\n"
                                << "Run-time error '13': Type mismatch\n";
    }

    void exitStatusAndReports()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = runTarquel(arguments);
        QCOMPARE(run.err, err);
        QCOMPARE(run.out, out);
        QCOMPARE(run.status, status);
    }

    // Help, the version and usage errors need no display; the window
    // without one is a plain line and a small status, never an abort.
    // Without a font that has Hangul the program says so and goes on.
    void environments_data()
    {
        const QStringList noDisplay{"-DISPLAY", "-WAYLAND_DISPLAY", "-QT_QPA_PLATFORM"};
        QTest::addColumn<QStringList>("environment"); // NAME=VALUE, or -NAME to unset
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("version, no display")
            << noDisplay << QStringList{"--version"} << 0
            << QStringLiteral("tarquel " TARQUEL_VERSION "\n") << "";
        QTest::newRow("window, no display")
            << noDisplay << QStringList{} << 3 << ""
            << "tarquel: no display could be opened; 'tarquel --batch' works without one\n";
        QTest::newRow("usage error, no display")
            << noDisplay << QStringList{"display"} << 2 << ""
            << "tarquel: commands and --png/--svg need --batch\nTry 'tarquel --help'.\n";
        QTest::newRow("batch, no display")
            << noDisplay << QStringList{"--batch", "integrate", "0", "1"} << 0 << "계산결과  .459\n"
            << "";
        QTest::newRow("no font with Hangul")
            << QStringList{"FONTCONFIG_FILE=" + latinFontsOnly()}
            << QStringList{"--batch", "integrate", "0", "1"} << 0 << "계산결과  .459\n"
            << "tarquel: no installed font has Hangul, so the Korean texts show as empty boxes; "
               "install one, e.g. fonts-nanum or fonts-noto-cjk\n";
    }

    void environments()
    {
        QFETCH(QStringList, environment);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = runTarquel(arguments, [&](QProcess& process) {
            QProcessEnvironment changed = QProcessEnvironment::systemEnvironment();
            for (const QString& setting : environment) {
                if (setting.startsWith(QLatin1Char('-')))
                    changed.remove(setting.mid(1));
                else
                    changed.insert(setting.section(QLatin1Char('='), 0, 0),
                                   setting.section(QLatin1Char('='), 1));
            }
            process.setProcessEnvironment(changed);
        });
        QCOMPARE(run.err, err);
        QCOMPARE(run.out, out);
        QCOMPARE(run.status, status);
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("unknown command") << QStringList{"--batch", "tan"};
        QTest::newRow("integrate with one bound") << QStringList{"--batch", "integrate", "0"};
        QTest::newRow("commands without --batch") << QStringList{"display"};
        QTest::newRow("--png without --batch") << QStringList{"--png", "x.png"};
        QTest::newRow("unknown option") << QStringList{"--batch", "--jpeg", "x", "display"};
        QTest::newRow("--png without a file") << QStringList{"--batch", "--png"};
        QTest::newRow("empty file name") << QStringList{"--batch", "--png", "", "display"};
        QTest::newRow("--png twice")
            << QStringList{"--batch", "--png", "a.png", "--png", "b.png", "display"};
        QTest::newRow("the same file twice")
            << QStringList{"--batch", "--png", "same", "--svg", "./same", "display"};
        QTest::newRow("--scale 0") << QStringList{"--batch", "--png", "a.png", "--scale", "0"};
        QTest::newRow("--scale 9") << QStringList{"--batch", "--png", "a.png", "--scale", "9"};
        QTest::newRow("--scale 1.5") << QStringList{"--batch", "--png", "a.png", "--scale", "1.5"};
        QTest::newRow("--scale without --png") << QStringList{"--batch", "--scale", "2"};
        QTest::newRow("control characters escaped") << QStringList{"--batch", "t\x1b[2Jan\nx"};
    }

    // Nothing is written, and nothing raw reaches the terminal.
    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir folder;
        const Run run = runTarquel(
            arguments, [&](QProcess& process) { process.setWorkingDirectory(folder.path()); });
        QCOMPARE(run.status, 2);
        QVERIFY(run.err.contains(QLatin1String("tarquel --help")));
        QCOMPARE(run.out, QString());
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList());
        for (const QChar c : run.err)
            QVERIFY2(c == QLatin1Char('\n') || c.category() != QChar::Other_Control,
                     qPrintable(run.err));
    }

    // Files are written all or nothing; a path that is not a regular file
    // is written straight through and stays what it was. Devices are private
    // nodes in a temporary folder, never the machine's own.
    void outputTargets_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");
        QTest::newRow("missing folder") << "missing/out.png" << 2 << "No such file or directory";
        QTest::newRow("FIFO") << "fifo" << 0 << "";
        QTest::newRow("null device") << "null" << 0 << "";
        QTest::newRow("full device") << "full" << 2 << "No space left on device";
        QTest::newRow("standard output full") << "stdout" << 2
                                              << "tarquel: cannot write to standard output: No "
                                                 "space left on device";
    }

    void outputTargets()
    {
        QFETCH(QString, target);
        QFETCH(int, status);
        QFETCH(QString, err);
        QTemporaryDir folder;
        const QString path = folder.filePath(target);
        const QByteArray node = QFile::encodeName(path);
        const auto device = [&](unsigned minor) {
            if (mknod(node.constData(), S_IFCHR | 0600, makedev(1, minor)) != 0)
                QSKIP("making a device node needs root");
        };
        QStringList arguments{"--batch", "--png", path, "integrate", "0", "1"};
        QByteArray fromFifo;
        std::function<void()> whileRunning;
        std::function<void(QProcess&)> prepare;
        if (target == QLatin1String("fifo")) {
            QCOMPARE(mkfifo(node.constData(), 0600), 0);
            whileRunning = [&] {
                QFile fifo(path);
                if (fifo.open(QIODevice::ReadOnly))
                    fromFifo = fifo.readAll();
            };
        } else if (target == QLatin1String("null")) {
            device(3);
        } else if (target == QLatin1String("full")) {
            device(7);
        } else if (target == QLatin1String("stdout")) {
            device(7);
            arguments = QStringList{"--batch", "integrate", "0", "1"};
            prepare = [&](QProcess& process) { process.setStandardOutputFile(path); };
        }
        QStringList before = QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::System);

        const Run run = runTarquel(arguments, prepare, whileRunning);
        QCOMPARE(run.status, status);
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
        // What was there stays, and nothing is left beside it.
        QCOMPARE(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::System), before);
        const QFileInfo info(path);
        if (target == QLatin1String("fifo")) {
            QVERIFY(!info.isFile() && info.exists());
            QCOMPARE(QImage::fromData(fromFifo).size(), QSize(604, 279));
        } else if (info.exists()) {
            struct stat st {};
            QCOMPARE(stat(node.constData(), &st), 0);
            QVERIFY(S_ISCHR(st.st_mode));
        }
    }

    void help()
    {
        const Run run = runTarquel({"--help"});
        QCOMPARE(run.status, 0);
        for (const char* word :
             {"--batch", "--png", "--svg", "display", "integrate LOWER UPPER", "Exit status"})
            QVERIFY2(run.out.contains(QLatin1String(word)), word);
    }

private:
    // A fontconfig file that knows one Latin font folder alone.
    QString latinFontsOnly()
    {
        QString path = dir_.filePath(QStringLiteral("latin-only.conf"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig>\n"
                                      "<dir>/usr/share/fonts/truetype/dejavu</dir>\n"
                                      "<cachedir>%1</cachedir>\n</fontconfig>\n")
                           .arg(dir_.filePath(QStringLiteral("fontconfig-cache")))
                           .toUtf8());
        return path;
    }

    QTemporaryDir dir_;
    QByteArray plainPng_;
};

QTEST_MAIN(TestBatch)
#include "test_batch.moc"
