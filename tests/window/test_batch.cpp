// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "plotting/sine_display.h"
#include "plotting/sine_integrate.h"
#include "recording_window.h"
#include "skip.h"
#include "window/canvas.h"
#include "window/frm_tarquel.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <functional>

#include <unistd.h>

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
    process.setProgram(QStringLiteral(TARQUEL_EXECUTABLE));
    process.setArguments(arguments);
    if (prepare)
        prepare(process);
    process.start();
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
        QCOMPARE(image.convertToFormat(QImage::Format_RGB32), demoInProcess());

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
        const QImage image(png);
        QCOMPARE(image.size(), size);
        if (size == QSize(604, 279)) {
            QCOMPARE(image.convertToFormat(QImage::Format_RGB32), demoInProcess());
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
            << 1 << "\n계산결과  .459\n\n"
            << "tarquel: command 1 (integrate abc 1): Run-time error '13': Type mismatch\n"
               "tarquel: command 3 (integrate \"\" 1): Run-time error '13': Type mismatch\n";
        QTest::newRow("direction controls escaped")
            << QStringList{"--batch", "integrate", "1\u202e2", "1"} << 1 << "\n"
            << "tarquel: command 1 (integrate 1\\u202e2 1): Run-time error '13': Type mismatch\n";
        QTest::newRow("overflow") << QStringList{"--batch", "integrate", "0", "1e36"} << 1 << "\n"
                                  << "tarquel: command 1 (integrate 0 1e36): Run-time error '6': "
                                     "Overflow\n";
        QTest::newRow("no commands") << QStringList{"--batch"} << 0 << ""
                                     << "";
        // The toolkit never takes a word of a batch for one of its options.
        for (const char* word :
             {"-platform", "-style", "-display", "-reverse", "-qwindowgeometry", "-session"})
            QTest::newRow(word) << QStringList{"--batch", "integrate", word, "0"} << 1 << "\n"
                                << QStringLiteral("tarquel: command 1 (integrate %1 0): Run-time "
                                                  "error '13': Type mismatch\n")
                                       .arg(word);
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
        // The toolkit's own window options are the window's, and its own
        // lines about a display it cannot reach do not come first.
        for (const QStringList& window :
             {QStringList{"-style", "fusion"}, QStringList{"-platform", "xcb"},
              QStringList{"--reverse"}})
            QTest::addRow("window %s, no display", qPrintable(window.join(' ')))
                << noDisplay << window << 3 << ""
                << "tarquel: no display could be opened; 'tarquel --batch' works without one\n";
        QTest::newRow("window, unreachable display")
            << QStringList{"DISPLAY=:93", "-WAYLAND_DISPLAY", "-QT_QPA_PLATFORM"} << QStringList{}
            << 3 << ""
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
        QTest::newRow("--version extra") << QStringList{"--version", "extra"};
        QTest::newRow("--help extra") << QStringList{"--help", "extra"};
        QTest::newRow("window option in a batch") << QStringList{"--batch", "-style", "fusion"};
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

    // Files are written all or nothing, to the file their name gives,
    // keeping its permissions and owner; a path that is not a regular file
    // is written straight through and stays what it was; a failure names the
    // system's reason and leaves the old file as it was. Each row prepares a
    // fresh folder in the shell, runs `tarquel` there and checks what is
    // left. Devices are private nodes and full disks private tmpfs mounts in
    // that folder, never the machine's own.
    void outputTargets_data()
    {
        QTest::addColumn<bool>("root"); // device nodes, mounts and owners need it
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("err");
        QTest::addColumn<QString>("check");
        const QString png = QStringLiteral("head -c 8 %1 | grep -q PNG");
        const QString sameFile = QStringLiteral("--png and --svg name the same file");
        QTest::newRow("missing folder") << false << ""
                                        << "tarquel --batch --png missing/out.png integrate 0 1"
                                        << 2 << "No such file or directory"
                                        << "[ ! -e missing ]";
        QTest::newRow("symbolic link: its target written, the link kept")
            << false << "echo old > real.png && ln -s real.png link.png"
            << "tarquel --batch --png link.png display" << 0 << ""
            << "[ -L link.png ] && " + png.arg("real.png");
        QTest::newRow("FIFO") << false << "mkfifo fifo && { cat fifo > got 2>cat.err & }"
                              << "tarquel --batch --png fifo integrate 0 1" << 0 << ""
                              << "for i in $(seq 50); do " + png.arg("got") +
                                     " && break; sleep 0.1; done; [ -p fifo ] && " + png.arg("got");
        QTest::newRow("FIFO whose reader left")
            << false << "mkfifo fifo && { (exec 3<fifo) & }"
            << "trap '' PIPE; tarquel --batch --svg fifo display integrate 0 3" << 2
            << "tarquel: cannot write fifo: Broken pipe"
            << "[ -p fifo ]";
        QTest::newRow("null device") << true << "mknod null c 1 3"
                                     << "tarquel --batch --png null integrate 0 1" << 0 << ""
                                     << "[ -c null ]";
        QTest::newRow("full device") << true << "mknod full c 1 7"
                                     << "tarquel --batch --png full integrate 0 1" << 2
                                     << "tarquel: cannot write full: No space left on device"
                                     << "[ -c full ]";
        QTest::newRow("standard output full")
            << true << "mknod full c 1 7"
            << "tarquel --batch integrate 0 1 >full" << 2
            << "tarquel: cannot write to standard output: No space left on device"
            << "[ -c full ]";
        for (const int free : {0, 4, 8}) {
            for (const QString kind : {"png", "svg"}) {
                const QString file = "disk/k." + kind;
                QTest::addRow("disk full, %d KiB free, %s", free, qPrintable(kind))
                    << true
                    << QStringLiteral("mkdir disk && mount -t tmpfs -o size=64k tmpfs disk && "
                                      "echo old > %1 && "
                                      "fallocate -l $(($(stat -f -c '%a*%S' disk) - %2)) "
                                      "disk/filler")
                           .arg(file)
                           .arg(free * 1024)
                    << QStringLiteral("tarquel --batch --%1 %2 %3 display integrate 0 3")
                           .arg(kind, file, kind == "png" ? "--scale 2" : "")
                    << 2
                    << QStringLiteral("tarquel: cannot write %1: No space left on device").arg(file)
                    << QStringLiteral("[ \"$(cat %1)\" = old ]").arg(file);
            }
        }
        QTest::newRow("name that is not UTF-8, beside its U+FFFD lookalike")
            << false << R"sh(printf keep > "$(printf '\357\277\275.png')")sh"
            << R"sh(tarquel --batch --png "$(printf '\376.png')" display)sh" << 0 << ""
            << R"sh([ "$(cat "$(printf '\357\277\275.png')")" = keep ] && )sh" +
                   png.arg(R"sh("$(printf '\376.png')")sh");
        QTest::newRow("dangling link to the other output")
            << false << "ln -s new.png dangling.png"
            << "tarquel --batch --png new.png --svg dangling.png display" << 2 << sameFile
            << "[ ! -e new.png ] && [ -L dangling.png ]";
        QTest::newRow("a link to its own folder")
            << false << "ln -s . dot"
            << "tarquel --batch --png n.png --svg dot/n.png display" << 2 << sameFile
            << "[ ! -e n.png ]";
        QTest::newRow("a link to another folder")
            << false << "mkdir sub && ln -s sub subl"
            << "tarquel --batch --png sub/x --svg subl/x display" << 2 << sameFile
            << "[ ! -e sub/x ]";
        QTest::newRow("hard links to one file")
            << false << "echo one > h1 && ln h1 h2"
            << "tarquel --batch --png h1 --svg h2 display" << 2 << sameFile
            << "[ \"$(cat h2)\" = one ] && [ h1 -ef h2 ]";
        QTest::newRow("symbolic link loop")
            << false << "ln -s b a && ln -s a b"
            << "tarquel --batch --png a display" << 2
            << "tarquel: cannot write a: Too many levels of symbolic links"
            << "[ -L a ] && [ -L b ]";
        const QString longName = QString(251, QLatin1Char('x')) + QStringLiteral(".svg");
        QTest::newRow("255-byte name rewritten")
            << false << "echo old > " + longName << "tarquel --batch --svg " + longName + " display"
            << 0 << ""
            << "head -c 5 " + longName + " | grep -q '<?xml'";
        QTest::newRow("mode 0000 kept") << false << "echo old > k.png && chmod 0000 k.png"
                                        << "tarquel --batch --png k.png display" << 0 << ""
                                        << "[ \"$(stat -c %a k.png)\" = 0 ]";
        QTest::newRow("mode and owner kept")
            << true << "echo old > k.png && chmod 0444 k.png && chown nobody:nogroup k.png"
            << "tarquel --batch --png k.png display" << 0 << ""
            << "[ \"$(stat -c %a:%U:%G k.png)\" = 444:nobody:nogroup ] && " + png.arg("k.png");
    }

    void outputTargets()
    {
        QFETCH(bool, root);
        QFETCH(QString, setup);
        QFETCH(QString, command);
        QFETCH(int, status);
        QFETCH(QString, err);
        QFETCH(QString, check);
        if (root && geteuid() != 0)
            TARQUEL_SKIP("device nodes, mounts and owners need root");
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        const auto shell = [&](const QString& script) {
            return runTarquel({}, [&](QProcess& process) {
                process.setProgram(QStringLiteral("/bin/sh"));
                process.setArguments(
                    {QStringLiteral("-c"),
                     QStringLiteral("tarquel() { \"$TARQUEL\" \"$@\"; }\n") + script});
                process.setWorkingDirectory(folder.path());
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                environment.insert(QStringLiteral("TARQUEL"), QStringLiteral(TARQUEL_EXECUTABLE));
                process.setProcessEnvironment(environment);
            });
        };
        // A mount of the row's own goes before its folder does, and so do
        // names that are no text.
        const auto cleanUp = qScopeGuard([&] {
            shell(
                QStringLiteral("! mountpoint -q disk || umount disk; find . -mindepth 1 -delete"));
        });
        const Run prepared = shell(setup);
        QVERIFY2(prepared.status == 0, qPrintable(prepared.err));
        const Run run = shell(command);
        QVERIFY2(run.err.contains(err), qPrintable(run.err));
        QCOMPARE(run.status, status);
        QVERIFY2(shell(check).status == 0, qPrintable(check));
        // Nothing is left beside the target.
        QCOMPARE(shell(QStringLiteral("find . -name '.tarquel-*' | grep -q .")).status, 1);
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

    // Display, then Integrate from 0 to 3.141592, on a window of this
    // process at ratio 1: the picture the batch's PNG must show.
    static QImage demoInProcess()
    {
        FrmTarquel form;
        form.canvas().setPixelRatio(1.0);
        mnuSiDisp_Click(form);
        RecordingWindow answers(&form);
        answers.answers = {"0", "3.141592"};
        mnuSinIn_Click(answers);
        return form.grabClientArea().convertToFormat(QImage::Format_RGB32);
    }

    QTemporaryDir dir_;
};

QTEST_MAIN(TestBatch)
#include "test_batch.moc"
