#include "support/CodigoEDescricao.h"

#include "support/GravadorMensagens.h"
#include "support/Tela.h"

#include <QDialog>
#include <QTest>

namespace CodigoEDescricao {

void existentes(BancoTeste& b, Grava grava, const QStringList& codigos)
{
    for (const QString& c : codigos)
        grava(b, c, QStringLiteral("Existente ") + c);
}

void recusaVaziaERepetida(QDialog* dados, GravadorMensagens& msgs, const Descricao& descricao,
                          const QString& existente)
{
    Tela::digita(dados, descricao.campo, QStringLiteral("   "));
    Tela::clica(dados, descricao.salva);
    QCOMPARE(msgs.mensagens(), QList<MensagemGravada>({{descricao.tipoVazia, descricao.vazia}}));
    QVERIFY(Tela::focado(dados, descricao.campo));
    msgs.limpa();

    Tela::digita(dados, descricao.campo, existente);
    msgs.responde(false);
    Tela::tab(dados, descricao.campo);
    QCOMPARE(msgs.textos(), QStringList({descricao.repetida}));
    QCOMPARE(Tela::texto(dados, descricao.campo), QString());
    QTRY_VERIFY(Tela::focado(dados, descricao.campo));
    msgs.limpa();
}

} // namespace CodigoEDescricao
