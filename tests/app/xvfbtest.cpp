#include <QDeadlineTimer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The size the program starts with, at which the moves are made.
const int mediumSquare = 64;
// In the new-game dialog, below Human in the White Player box.
const QPoint whiteComputer(60, 64);

// Whether a picture shows anything as dark as text.
bool hasText(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).value() < 128)
                return true;
        }
    }
    return false;
}

} // namespace

// The real program on a virtual X server of its own, used as a person would:
// menus from the keyboard, the dialog's Start button and the squares with the
// mouse. The functions run in order, one session from start to quit.
// Logging rules that switch every debug message off, from the environment
// and from the user's qtlogging.ini, must leave the program's lines alone:
// either would silence the lines of a program that did not guard them.
class TestXvfb : public QObject
{
    Q_OBJECT

    QProcess server;
    QProcess program;
    QTemporaryDir runtimeDir;
    QTemporaryDir configDir;
    QString display;
    QString mainWindow;
    QByteArray output;
    int boardTop = 0;
    QImage turnStatus; // the status bar as a turn message leaves it

    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configDir.path());
        environment.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("*.debug=false"));
        return environment;
    }

    // Runs an X client to its end and answers what it printed.
    QByteArray run(const QString &tool, const QStringList &arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(environment());
        process.start(tool, arguments);
        if (!process.waitForFinished(10000))
            qWarning("%s did not finish", qPrintable(tool));
        return process.readAllStandardOutput().trimmed();
    }

    QByteArray xdotool(const QStringList &arguments) const
    {
        return run(QStringLiteral("xdotool"), arguments);
    }

    // The program's visible window whose class or title matches.
    QString visibleWindow(const QString &property, const QString &pattern) const
    {
        return QString::fromLatin1(xdotool(
            { QStringLiteral("search"), QStringLiteral("--onlyvisible"), property, pattern }));
    }

    int visibleWindowCount() const
    {
        return int(visibleWindow(QStringLiteral("--class"), QStringLiteral("checkers"))
                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                       .size());
    }

    QSize windowSize(const QString &window) const
    {
        const QList<QByteArray> values
            = xdotool({ QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window })
                  .split('\n');
        QSize size;
        for (const QByteArray &value : values) {
            if (value.startsWith("WIDTH="))
                size.setWidth(value.mid(6).toInt());
            if (value.startsWith("HEIGHT="))
                size.setHeight(value.mid(7).toInt());
        }
        return size;
    }

    static QStringList keyArguments(const QStringList &keys)
    {
        return QStringList { QStringLiteral("key") } + keys;
    }

    static QStringList clickArguments(const QString &window, QPoint point)
    {
        return { QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                 QString::number(point.x()),  QString::number(point.y()), QStringLiteral("click"),
                 QStringLiteral("1") };
    }

    QStringList squareClickArguments(int square) const
    {
        const int row = square / 4;
        const int column = 2 * (square % 4) + (row % 2 == 0 ? 1 : 0);
        return clickArguments(mainWindow,
                              QPoint(column * mediumSquare + mediumSquare / 2,
                                     boardTop + row * mediumSquare + mediumSquare / 2));
    }

    // Acts on the main window in one go, as fast as a person could not: a
    // menu that a key opens takes the keys that follow.
    void inMainWindow(const QStringList &actions) const
    {
        xdotool(QStringList { QStringLiteral("windowfocus"), QStringLiteral("--sync"), mainWindow }
                + actions);
    }

    QImage grab(const QString &window) const
    {
        return QImage::fromData(run(QStringLiteral("import"),
                                    { QStringLiteral("-window"), window, QStringLiteral("png:-") }),
                                "PNG");
    }

    // The program's threads: one more than otherwise while a computer thinks.
    int threadCount() const
    {
        return int(QDir(QStringLiteral("/proc/%1/task").arg(program.processId()))
                       .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                       .size());
    }

    // Starts a virtual X server without resets, so that no client's
    // leaving can drop another's connection, and waits until it answers.
    bool startServer()
    {
        server.start(QStringLiteral("Xvfb"),
                     { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                       QStringLiteral("0"), QStringLiteral("1280x1024x24"),
                       QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                       QStringLiteral("-noreset") });
        // The server writes its display number, then a newline, once it
        // accepts clients.
        QByteArray number;
        while (!number.endsWith('\n') && server.waitForReadyRead(10000))
            number += server.readAllStandardOutput();
        display = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
        return number.endsWith('\n')
            && !xdotool({ QStringLiteral("getdisplaygeometry") }).isEmpty();
    }

    // Starts the program and waits for its main window; only that shows at
    // first, as the dialog shares its class.
    bool startProgram()
    {
        output.clear();
        program.setProcessEnvironment(environment());
        program.start(QStringLiteral(CHECKERS_BINARY));
        if (!program.waitForStarted())
            return false;
        QDeadlineTimer deadline(30000);
        while (program.state() == QProcess::Running && !deadline.hasExpired()) {
            mainWindow = visibleWindow(QStringLiteral("--class"), QStringLiteral("checkers"));
            if (!mainWindow.isEmpty())
                return true;
            QTest::qWait(100);
        }
        return false;
    }

    void stopProgramAndServer()
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished();
        }
        server.terminate();
        if (!server.waitForFinished(10000)) {
            server.kill();
            server.waitForFinished();
        }
    }

    // What to know when the program's window does not show.
    QString startReport()
    {
        output += program.readAllStandardOutput();
        return QStringLiteral("display %1, program state %2, output: %3 errors: %4 "
                              "server state %5, server errors: %6")
            .arg(display)
            .arg(program.state())
            .arg(QString::fromLocal8Bit(output),
                 QString::fromLocal8Bit(program.readAllStandardError()))
            .arg(server.state())
            .arg(QString::fromLocal8Bit(server.readAllStandardError()));
    }

    // All the program has written so far.
    const QByteArray &readOutput()
    {
        output += program.readAllStandardOutput();
        return output;
    }

    bool outputEndsWith(const QByteArray &tail) { return readOutput().endsWith(tail); }

    // Opens menus from the keyboard and walks over their items, then closes
    // them all with Escape, as a person glancing at the menus does.
    void glanceAtMenus(const QStringList &keys, int popups)
    {
        inMainWindow(keyArguments(keys));
        QTRY_COMPARE(visibleWindowCount(), 1 + popups);
        xdotool(keyArguments(QStringList(popups + 1, QStringLiteral("Escape"))));
        QTRY_COMPARE(visibleWindowCount(), 1);
        QTest::qWait(200); // any repaint of the status bar
    }

    // The status bar: everything below the board.
    QImage statusBarPicture() const
    {
        const QImage image = grab(mainWindow);
        const int top = boardTop + 8 * mediumSquare;
        return image.copy(0, top, image.width(), image.height() - top);
    }

    // The board's top edge: the first row in which the first light and the
    // first dark square of the top row meet.
    static int findBoardTop(const QImage &image, int squareSize)
    {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixelColor(2, y) == QColor(Qt::lightGray)
                && image.pixelColor(squareSize + 2, y) == QColor(Qt::gray))
                return y;
        }
        return -1;
    }

    // A pixel of a square, given by row and column of the board.
    QColor pixel(const QImage &image, int squareSize, int row, int column, QPoint offset) const
    {
        return image.pixelColor(column * squareSize + offset.x(),
                                boardTop + row * squareSize + offset.y());
    }

    void verifyPicture(const QImage &image, int squareSize)
    {
        QCOMPARE(image.width(), 8 * squareSize);
        QVERIFY(image.height() > 8 * squareSize);
        QCOMPARE(findBoardTop(image, squareSize), boardTop);
        const QPoint corner(2, 2);
        const QPoint discTop(squareSize / 2, squareSize / 2 - 4);
        QCOMPARE(pixel(image, squareSize, 0, 0, discTop), QColor(Qt::lightGray));
        QCOMPARE(pixel(image, squareSize, 3, 2, corner), QColor(Qt::gray));
        QCOMPARE(pixel(image, squareSize, 7, 0, corner), QColor(Qt::gray));
        QCOMPARE(pixel(image, squareSize, 7, 0, discTop), QColor(Qt::white)); // square 28
        QCOMPARE(pixel(image, squareSize, 0, 1, discTop), QColor(Qt::darkRed)); // square 0
    }

    // New Game, any clicks into the dialog, then Start; the output that
    // follows begins as expected.
    void startGame(const QList<QPoint> &dialogClicks, const QByteArray &expectedOutput)
    {
        const qsizetype start = readOutput().size();
        inMainWindow(keyArguments({ QStringLiteral("alt+g"), QStringLiteral("n") }));
        QString dialog;
        QTRY_VERIFY(!(dialog = visibleWindow(QStringLiteral("--name"), QStringLiteral("New Game")))
                         .isEmpty());
        const QSize size = windowSize(dialog);
        QStringList clicks;
        for (QPoint point :
             dialogClicks + QList<QPoint> { { size.width() / 2, size.height() - 23 } })
            clicks += clickArguments(dialog, point); // the last one is Start
        xdotool(clicks);
        QTRY_VERIFY(visibleWindow(QStringLiteral("--name"), QStringLiteral("New Game")).isEmpty());
        QTRY_VERIFY2(readOutput().mid(start).startsWith(expectedOutput), output.constData());
    }

    void startGameWithTheDefaults()
    {
        startGame({}, "blackskill:  5 \nits  \"Player 1\" 's [ 3 ] turn \n");
    }

private slots:
    void initTestCase()
    {
        for (const char *tool : { "Xvfb", "xdotool", "import" })
            QVERIFY2(!QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty(), tool);
        QVERIFY(runtimeDir.isValid());
        QVERIFY(configDir.isValid());
        QVERIFY(QDir(configDir.path()).mkdir(QStringLiteral("QtProject")));
        QFile rules(configDir.filePath(QStringLiteral("QtProject/qtlogging.ini")));
        QVERIFY(rules.open(QIODevice::WriteOnly));
        rules.write("[Rules]\n*.debug=false\n");
        rules.close();
        // A virtual X server that dies or turns clients away is the
        // machine's fault, not the program's: a fresh one gets two more
        // chances, and every failure is told.
        for (int attempt = 1; attempt <= 3 && mainWindow.isEmpty(); ++attempt) {
            if (!startServer() || !startProgram()) {
                qWarning("attempt %d: %s", attempt, qPrintable(startReport()));
                stopProgramAndServer();
            }
        }
        QVERIFY(!mainWindow.isEmpty());
    }

    void cleanupTestCase() { stopProgramAndServer(); }

    void personMovesAndTheComputerAnswers()
    {
        QTRY_COMPARE(windowSize(mainWindow).width(), 8 * mediumSquare);
        boardTop = findBoardTop(grab(mainWindow), mediumSquare);
        QVERIFY(boardTop > 0);
        startGameWithTheDefaults();
        inMainWindow(squareClickArguments(22) + squareClickArguments(17));
        QTRY_VERIFY_WITH_TIMEOUT(outputEndsWith("its  \"Player 1\" 's [ 3 ] turn \n"
                                                "its  \"Player 1\" 's [ 3 ] turn \n"),
                                 30000);
        QTest::qWait(200); // the computer's move repainted
        const QImage image = grab(mainWindow);
        image.save(QStringLiteral("checkers-game.png"));
        verifyPicture(image, mediumSquare);
        turnStatus = statusBarPicture();
        QVERIFY(hasText(turnStatus));
    }

    void picturesAtEachSize_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("squareSize");
        QTest::newRow("small") << QStringLiteral("s") << 48;
        QTest::newRow("large") << QStringLiteral("l") << 96;
        QTest::newRow("medium") << QStringLiteral("m") << 64;
    }
    void picturesAtEachSize()
    {
        QFETCH(QString, key);
        QFETCH(int, squareSize);
        inMainWindow(keyArguments({ QStringLiteral("alt+o"), QStringLiteral("s"), key }));
        QTRY_COMPARE(windowSize(mainWindow).width(), 8 * squareSize);
        QTest::qWait(200); // the repaint at the new size
        const QImage image = grab(mainWindow);
        image.save(QStringLiteral("checkers-%1.png").arg(QLatin1String(QTest::currentDataTag())));
        verifyPicture(image, squareSize);
    }

    // Menus show no status tips: a glance at them, even at the size menu
    // used before, leaves the turn message, and then the result of a game
    // that two computers play out without the move delay.
    void statusMessagesOutlastAGlanceAtTheMenus()
    {
        glanceAtMenus({ QStringLiteral("alt+g"), QStringLiteral("Down"), QStringLiteral("Down") },
                      1);
        QCOMPARE(statusBarPicture(), turnStatus);

        const QStringList toggleDelay { QStringLiteral("alt+o"), QStringLiteral("Return") };
        inMainWindow(keyArguments(toggleDelay));
        const auto restoreDelay
            = qScopeGuard([this, toggleDelay] { inMainWindow(keyArguments(toggleDelay)); });
        startGame({ whiteComputer }, "whiteskill:  5 \nblackskill:  5 \n");
        const QRegularExpression gameOver(
            QStringLiteral("\nblackskill:  5 \nGAME OVER,  [034]  WINS!  plyCnt:  \\d+ \n$"));
        QTRY_VERIFY_WITH_TIMEOUT(gameOver.match(QString::fromLatin1(readOutput())).hasMatch(),
                                 60000);
        QTest::qWait(200); // the result's repaint
        const QImage result = statusBarPicture();
        QVERIFY(hasText(result));
        QVERIFY(result != turnStatus);
        glanceAtMenus({ QStringLiteral("alt+o"), QStringLiteral("Down"), QStringLiteral("Right"),
                        QStringLiteral("Down") },
                      2);
        QCOMPARE(statusBarPicture(), result);
    }

    // Two computers play on, so one of them is always thinking or about to:
    // the program ends once that search is over, and ends cleanly. A fresh
    // program has the move delay on, whatever the tests before left, so the
    // game lasts and its searches can be seen.
    void quitWhileTheComputersPlay()
    {
        program.kill();
        program.waitForFinished();
        QVERIFY2(startProgram(), qPrintable(startReport()));
        const int idleThreads = threadCount();
        startGame({ whiteComputer }, "whiteskill:  5 \nblackskill:  5 \n");
        QTRY_VERIFY2(threadCount() > idleThreads, "no worker thread is thinking");
        inMainWindow(keyArguments({ QStringLiteral("alt+g"), QStringLiteral("q") }));
        QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 30000);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        // Only LeakSanitizer's list of the suppressions it used may show.
        const QByteArray errors = program.readAllStandardError();
        QVERIFY2(!errors.contains("Sanitizer") && !errors.contains("runtime error"),
                 errors.constData());
        QCOMPARE(program.exitCode(), 0);
        QVERIFY2(outputEndsWith("whiteskill:  5 \nblackskill:  5 \n"), output.constData());
    }
};

QTEST_MAIN(TestXvfb)
#include "xvfbtest.moc"
