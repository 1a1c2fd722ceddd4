// Bar codes are not unique. Every window that names a product by its code or its bar code
// keeps the product typed by its code when the person walks through the bar code the look-up
// has just shown, and still looks up a bar code the person types.

#include "support/AplicacaoTeste.h"
#include "support/Cadastro.h"
#include "support/JanelasDeProduto.h"

#include <QDialog>
#include <QLineEdit>
#include <QtTest>

using namespace Tela;

class TstCodigoBarras : public QObject {
    Q_OBJECT

private slots:
    void sharedBarCodeKeepsTheProductTyped_data();
    void sharedBarCodeKeepsTheProductTyped();
};

namespace {

const QString compartilhado = QStringLiteral("7891000000099");
const QString proprio = QStringLiteral("7891000000014");

// Products 12 and 13 share one bar code (12 is the first the register finds by it); 14 has a
// bar code of its own. All of the kind the window moves.
void codigoDeBarrasRepetido(AplicacaoTeste& t, const QString& consumivel)
{
    Cadastro::grupo(t.banco, "000001", "Geral");
    const std::pair<const char*, const char*> produtos[] = {
        {"12", "Primeiro"}, {"13", "Segundo"}, {"14", "Terceiro"}};
    for (const auto& [codigo, descricao] : produtos)
        Cadastro::produto(
            t.banco, {.codigo = QString::fromLatin1(codigo).rightJustified(10, ' '),
                      .descricao = QString::fromLatin1(descricao),
                      .quantidade = "5",
                      .consumivel = consumivel,
                      .codigoBarras = codigo == QLatin1String("14") ? proprio : compartilhado});
}

} // namespace

void TstCodigoBarras::sharedBarCodeKeepsTheProductTyped_data()
{
    JanelasDeProduto::umaLinhaPorJanela();
}

void TstCodigoBarras::sharedBarCodeKeepsTheProductTyped()
{
    QFETCH(JanelaDeProduto, janela);
    TelaTeste t;
    codigoDeBarrasRepetido(t, janela.consumivel);
    t.abre(janela.menu, [&](QDialog* j) {
        const auto naTela = [&] { return textos(j, {janela.codigo, janela.descricao}); };
        informa(j, janela.codigo, "13");
        QCOMPARE(naTela(), QStringList({"        13", "Segundo"}));
        QCOMPARE(texto(j, janela.barras), compartilhado);
        // Through the bar code the look-up showed, and out with Tab: the product typed stays.
        campo(j, janela.barras)->setFocus();
        tab(j, janela.barras);
        QCOMPARE(naTela(), QStringList({"        13", "Segundo"}));
        // A bar code typed is looked up, the shared one too: the first product that has it.
        digita(j, janela.barras, proprio);
        tab(j, janela.barras);
        QCOMPARE(naTela(), QStringList({"        14", "Terceiro"}));
        digita(j, janela.barras, compartilhado);
        tab(j, janela.barras);
        QCOMPARE(naTela(), QStringList({"        12", "Primeiro"}));
        j->reject();
    });
    QCOMPARE(t.driver.passosPendentes(), 0);
    QCOMPARE(t.msgs.textos(), QStringList());
}

QTEST_MAIN(TstCodigoBarras)
#include "tst_codigobarras.moc"
