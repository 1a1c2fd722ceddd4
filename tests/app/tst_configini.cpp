// Config.ini as other programs write and read it.

#include "contexto/ConfigIni.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TstConfigIni : public QObject {
    Q_OBJECT

private slots:
    void readsValuesAsTheyStand_data();
    void readsValuesAsTheyStand();
    void writesAFileOthersCanRead();
    void keepsOtherLinesAndFindsTheFileInAnyCase();
};

namespace {
void escreve(const QString& caminho, const QByteArray& bytes)
{
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

void TstConfigIni::readsValuesAsTheyStand_data()
{
    QTest::addColumn<QByteArray>("arquivo");
    QTest::addColumn<QString>("pasta");
    QTest::newRow("backslashes, CRLF")
        << QByteArray("[PASTA]\r\nPATH=C:\\Dados\r\n") << "C:\\Dados";
    QTest::newRow("server folder")
        << QByteArray("[PASTA]\nPATH=servidor:/dados\n") << "servidor:/dados";
    QTest::newRow("other case, blanks")
        << QByteArray("[pasta]\n path = /srv/almox \n") << "/srv/almox";
    QTest::newRow("latin-1 accents")
        << QByteArray("[PASTA]\r\nPATH=C:\\A\xe7\xf5\x65s\r\n") << QStringLiteral("C:\\Ações");
    QTest::newRow("key in another section") << QByteArray("[OUTRA]\nPATH=/x\n[PASTA]\n") << "";
    QTest::newRow("missing key") << QByteArray("[PASTA]\n") << "";
}

void TstConfigIni::readsValuesAsTheyStand()
{
    QFETCH(QByteArray, arquivo);
    QFETCH(QString, pasta);
    QTemporaryDir d;
    escreve(d.filePath("Config.ini"), arquivo);
    QCOMPARE(ConfigIni::lePasta(d.path()), pasta);
}

void TstConfigIni::writesAFileOthersCanRead()
{
    QTemporaryDir d;
    QVERIFY(!ConfigIni::existe(d.path()));
    QCOMPARE(ConfigIni::lePasta(d.path()), QString());
    QVERIFY(ConfigIni::gravaPasta("C:\\Dados\\", d.path()));
    QFile f(d.filePath("Config.ini"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[PASTA]\r\nPATH=C:\\Dados\\\r\n"));
    QCOMPARE(ConfigIni::lePasta(d.path()), QString("C:\\Dados\\"));
    QVERIFY(ConfigIni::apaga(d.path()));
    QVERIFY(!ConfigIni::existe(d.path()));
}

void TstConfigIni::keepsOtherLinesAndFindsTheFileInAnyCase()
{
    QTemporaryDir d;
    escreve(d.filePath("CONFIG.INI"), "; feito a mão\r\n[PASTA]\r\nPATH=/velha\r\nOUTRA=1\r\n"
                                      "[IMPRESSAO]\r\nPATH=/nao/mexer\r\n");
    QVERIFY(ConfigIni::existe(d.path()));
    QVERIFY(ConfigIni::gravaPasta("/nova", d.path()));
    QCOMPARE(QDir(d.path()).entryList(QDir::Files), QStringList({"CONFIG.INI"}));
    QFile f(d.filePath("CONFIG.INI"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("; feito a mão\r\n[PASTA]\r\nPATH=/nova\r\nOUTRA=1\r\n"
                                     "[IMPRESSAO]\r\nPATH=/nao/mexer\r\n"));
}

QTEST_GUILESS_MAIN(TstConfigIni)
#include "tst_configini.moc"
