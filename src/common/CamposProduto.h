#pragma once

#include "common/Mensagens.h"

#include <QObject>
#include <QString>

#include <functional>

class Contexto;
class CampoCodigo;
class QAbstractButton;
class QLineEdit;
class QWidget;
struct Produto;

// The product of a stock movement, named the three ways the stock room names it: by its code
// (blanks in front, 10 characters), by its bar code (as typed, at most 14) or picked in the
// product search. Either look-up writes the product's code and bar code into the two fields and
// hands the product to the window to show the rest; a code the register does not have is
// refused with "Produto não Encontrado !". Found by its bar code, the product's code counts as
// found in the code field too, so the code field always tells which product is on screen.
//
// Bar codes are not unique: several products may share one, and a look-up by bar code finds
// the first of them. So the bar code that a look-up by code has just shown is not looked up
// again when the person walks through the field: the product named by its code stays. A bar
// code the person types is looked up.
//
// A product without a bar code is labelled on the shelf with its code in the bars. Read into the
// bar-code field, a text that is no product's bar code but is the code of such a product finds
// that product, as its code typed in the code field would; the window then shows it and moves on
// as after any scan. A product's bar code always wins over another's code.
class CamposProduto : public QObject {
    Q_OBJECT

public:
    enum class Via { Codigo, CodigoBarras };

    struct Regras {
        QString origem; // the product search's tag for this window
        QAbstractButton* botaoBusca = nullptr;
        bool aparaAoEntrar = false;    // a stored code sheds its blanks when the user comes in
        bool esvaziaAoRecusar = false; // a code not found is erased
        // What a code or bar code the register does not have is refused with, and how.
        QString naoEncontrado = QStringLiteral("Produto não Encontrado !");
        TipoMensagem tipoNaoEncontrado = TipoMensagem::Informacao;
        // F5 in the bar code opens the product search too (the pick goes to the code).
        bool buscaNoCodigoBarras = false;
        // A bar code the register does not have sends the person back to the product code
        // (emptied with esvaziaAoRecusar, otherwise bare, ready to be retyped); the bar code
        // keeps what was typed.
        bool barrasRecusadasNoCodigo = false;
        // Why the window may not move this product (a lent-out item where only consumables
        // go); empty when it may. A product turned down is refused with that error and leaves
        // neither its code nor its bar code on screen, unless `recusaSoNoCampo`: then only the
        // field that was left is emptied, and the other keeps the product it named.
        std::function<QString(const Produto&)> recusa;
        bool recusaSoNoCampo = false;
        // Shows what the window shows of the product found through `via`.
        std::function<void(const Produto&, Via via)> mostra;
    };

    CamposProduto(Contexto& app, QLineEdit* codigo, QLineEdit* codigoBarras, QWidget* janela,
                  Regras regras);

    CampoCodigo& codigo() const { return *m_codigo; }
    CampoCodigo& codigoBarras() const { return *m_codigoBarras; }

    // Neither field has just refused what it was left with.
    bool podeGravar() const;
    // Both fields forget what they found and refused (the window empties itself).
    void esquece();

private:
    bool procura(const QString& valor, Via via);
    // Whether `barras` is the bar code the last look-up by code put on screen, with that
    // product still in the code field.
    bool barrasDoCodigo(const QString& barras) const;

    Contexto& m_app;
    Regras m_regras;
    CampoCodigo* m_codigo;
    CampoCodigo* m_codigoBarras;
    // What the last look-up by code wrote: the product's code and its bar code.
    QString m_codigoMostrado;
    QString m_barrasMostradas;
};

// A hand scanner types a bar code, a key every few milliseconds, and then Enter. In a bar-code
// field that Enter moves on exactly as Tab does (so the leave work looks the product up),
// whether or not the window otherwise treats Enter as Tab, and the window's default button is
// not pressed. CamposProduto gives it to its bar-code field; other fields that take a scanned
// code use these.
namespace LeitorDeBarras {

void enterAvanca(QLineEdit* campo);
// Enter in `campo` runs `acao` instead, when `acao` answers true; otherwise Enter goes on as
// the window treats it.
void aoEnter(QLineEdit* campo, std::function<bool()> acao);

} // namespace LeitorDeBarras
