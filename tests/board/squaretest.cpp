#include "board/square.h"
#include "rules/gamestate.h"

#include <QSignalSpy>
#include <QTest>

namespace {

// Colours are compared by their #rrggbb names: lighter and darker colours
// carry more precision than a pixel can hold.
const QString grey = QColor(Qt::gray).name();
const QString white = QColor(Qt::white).name();
const QString darkRed = QColor(Qt::darkRed).name();
const QString shadow = QColor(Qt::darkGray).name();

QString lighter(const QString &colour, int factor)
{
    return QColor(colour).lighter(factor).name();
}

QString darker(const QString &colour, int factor)
{
    return QColor(colour).darker(factor).name();
}

QString pixel(const QImage &image, int x, int y)
{
    return image.pixelColor(x, y).name();
}

QString pixel(const QImage &image, const QPoint &point)
{
    return image.pixelColor(point).name();
}

// Counts the paint events a widget receives.
class CPaintCounter : public QObject
{
public:
    explicit CPaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace

class TestSquare : public QObject
{
    Q_OBJECT

private:
    // A square as the board lays it out: squareSize pixels on each side.
    QImage render(int piece, bool selected = false)
    {
        CSquare square(nullptr, 5, piece);
        square.resize(CSquare::currentSquareSize(), CSquare::currentSquareSize());
        square.setSelected(selected);
        return square.grab().toImage();
    }

private slots:
    void cleanup() { CSquare::setSize(64); }

    void pieceRectFollowsTheSquareSize_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("small") << 48 << QRect(QPoint(6, 6), QPoint(41, 41));
        QTest::newRow("medium") << 64 << QRect(QPoint(9, 9), QPoint(54, 54));
        QTest::newRow("large") << 96 << QRect(QPoint(13, 13), QPoint(82, 82));
    }
    void pieceRectFollowsTheSquareSize()
    {
        QFETCH(int, size);
        QFETCH(QRect, rect);
        CSquare::setSize(size);
        QCOMPARE(CSquare::currentSquareSize(), size);
        QCOMPARE(CSquare::currentPieceRect(), rect);
        QCOMPARE(CSquare::currentPieceRect().width(), size - 2 * (size / 7));
    }

    void emptySquareIsPlainGrey()
    {
        const QImage image = render(CGameState::Empty);
        QCOMPARE(image.size(), QSize(64, 64));
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x)
                QCOMPARE(pixel(image, x, y), grey);
        }
    }

    void highlightIsLighterGreyInAOnePixelWhiteFrame()
    {
        const QImage image = render(CGameState::Empty, true);
        for (const QPoint corner : { QPoint(0, 0), QPoint(63, 0), QPoint(0, 63), QPoint(63, 63) })
            QCOMPARE(pixel(image, corner), white);
        QCOMPARE(pixel(image, 31, 0), white);
        QCOMPARE(pixel(image, 0, 31), white);
        for (const QPoint inside : { QPoint(1, 1), QPoint(62, 62), QPoint(31, 31) })
            QCOMPARE(pixel(image, inside), lighter(grey, 115));
    }

    void manIsAShadedDisc_data()
    {
        QTest::addColumn<int>("piece");
        QTest::addColumn<QString>("colour");
        QTest::newRow("white man") << int(CGameState::WhiteMan) << white;
        QTest::newRow("black man") << int(CGameState::BlackMan) << darkRed;
    }
    void manIsAShadedDisc()
    {
        QFETCH(int, piece);
        QFETCH(QString, colour);
        // At 64 pixels the piece rectangle is (9, 9) - (54, 54).
        const QImage image = render(piece);
        QCOMPARE(pixel(image, 31, 28), colour); // top face
        QCOMPARE(pixel(image, 31, 52), darker(colour, 140)); // side below the top face
        QCOMPARE(pixel(image, 57, 40), shadow); // shadow to the right
        QCOMPARE(pixel(image, 31, 6), grey); // nothing above the top face
        QCOMPARE(pixel(image, 2, 60), grey);
    }

    void kingIsTwoDiscsWithAStar_data() { manIsAShadedDisc_data(); }
    void kingIsTwoDiscsWithAStar()
    {
        QFETCH(int, piece);
        QFETCH(QString, colour);
        const QImage image = render(2 * piece);
        QCOMPARE(pixel(image, 31, 6), colour); // the top face stands 4 pixels higher
        QCOMPARE(pixel(image, 31, 48), darker(colour, 140)); // upper side
        QCOMPARE(pixel(image, 31, 53), darker(colour, 140)); // lower side
        QCOMPARE(pixel(image, 58, 40), shadow);
        int markPixels = 0;
        for (int y = 9; y < 40; ++y) {
            for (int x = 15; x < 49; ++x)
                markPixels += pixel(image, x, y) == darker(colour, 300);
        }
        QVERIFY2(markPixels > 20, qPrintable(QString::number(markPixels)));
    }

    void kingTopFaceAtSmallSize()
    {
        CSquare::setSize(48);
        const QImage image = render(CGameState::WhiteKing);
        // The top face's rectangle spans rows 1 to 32: its outline runs along
        // them, its face lies between.
        for (const int row : { 1, 32 }) {
            QVERIFY(pixel(image, 23, row) != grey);
            QVERIFY(pixel(image, 23, row) != white);
        }
        QCOMPARE(pixel(image, 23, 2), white);
        QCOMPARE(pixel(image, 23, 31), white);
        QCOMPARE(pixel(image, 23, 34), darker(white, 140)); // upper side below it
    }

    void everyButtonPressEmitsClicked()
    {
        CSquare square(nullptr, 17, CGameState::Empty);
        square.resize(64, 64);
        QSignalSpy spy(&square, &CSquare::clicked);
        for (const auto button : { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton })
            QTest::mousePress(&square, button);
        QCOMPARE(spy.count(), 3);
        for (const auto &arguments : spy)
            QCOMPARE(arguments.at(0).toInt(), 17);
    }

    void onlyChangesRepaint()
    {
        CSquare square(nullptr, 0, CGameState::BlackMan);
        square.resize(64, 64);
        square.show();
        QVERIFY(QTest::qWaitForWindowExposed(&square));
        CPaintCounter paints(&square);

        square.setPiece(CGameState::BlackMan);
        QTRY_COMPARE(paints.count, 1);
        square.setSelected(false);
        QTest::qWait(50);
        QCOMPARE(paints.count, 1);
        square.setSelected(true);
        QTRY_COMPARE(paints.count, 2);
        QVERIFY(square.isSelected());
    }
};

QTEST_MAIN(TestSquare)
#include "squaretest.moc"
