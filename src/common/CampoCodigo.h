#pragma once

#include "common/Mensagens.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

class JanelaBusca;
class QAbstractButton;
class QLineEdit;
class QWidget;

// A field where a person types the code of a record of another register (a product, a
// supplier, a group, a requisitioner) and the window shows what the code stands for.
//
// On entering, a stored code loses its padding so it can be retyped. On leaving (a real focus
// change, see Convencoes::aoSair), a typed code is padded to the column's width and looked up;
// nothing typed means nothing to look up. A code the register does not have is refused: the
// window's own message, the fields that described the previous record emptied, the focus back
// in the field, the refused code erased or left selected, and the save blocked until the user
// is back in the field. A code longer than its column cannot be in the register: it is refused
// the same way, without asking the database. F5 in the field and the window's "..." button
// open the register's search window with the window's `Origem` tag; the code chosen there comes
// back into the field.
class CampoCodigo : public QObject {
    Q_OBJECT

public:
    struct Regras {
        int largura = 0;     // the column's width
        QChar preenchimento; // ' ' or '0' to pad on the left; none: looked up as typed
        bool aparaAoEntrar = false;
        // The look-up: shows the record and answers true, or answers false when the register
        // has no such code. ErroBanco goes out to the field, which shows the server's message.
        std::function<bool(const QString& codigo)> procura;
        QString naoEncontrado;
        TipoMensagem tipo = TipoMensagem::Informacao;
        bool esvaziaAoRecusar = false;
        QList<QLineEdit*> limpaAoRecusar;
        // The field the person corrects after a refusal, when it is not this one (a bar code
        // not found sends some windows back to the product code).
        QLineEdit* voltaAoRecusar = nullptr;
        JanelaBusca* busca = nullptr;
        QString origem;
        QAbstractButton* botaoBusca = nullptr;
        // A field left empty is looked up by no one, unless the window wants a code there:
        // `exigido` refuses it with that message (of the kind above); `completaVazio` pads it
        // like any code (all padding) and looks that up.
        QString exigido;
        bool completaVazio = false;
        // A code longer than the column is refused without asking the database. A window
        // that proposes codes itself may clear this: a proposal that outgrew the column then
        // goes on to the look-up, and the save refuses it with the save's own message.
        bool recusaLongo = true;
        // The typed code loses its surrounding blanks before it is padded (" 7 " is 7).
        bool aparaAoSair = false;
        // A read-only field (a record only looked at, or a code the mode does not let the
        // user change) is neither looked up nor searched.
        bool ignoraSoLeitura = false;
        // For the code of a new record that the register allocates: the next free code. The
        // field, when not read-only, gets it, selected, each time the user comes into it (also
        // on the way back after a refusal, instead of the refused code), but not from the
        // focus a window hands its field as it is shown. ErroBanco leaves the field empty with
        // the server's message, for the user to type a code.
        std::function<QString()> proposta;
    };

    // Belongs to `janela`, where its messages are shown.
    CampoCodigo(QLineEdit* campo, QWidget* janela, Regras regras);

    QLineEdit* campo() const { return m_campo; }
    const Regras& regras() const { return m_regras; }
    // For a field whose register changes with the window's mode; a new search window gets the
    // field as the destination of the tag.
    void setRegras(Regras regras);

    // Whether a save may go on: not from a refusal until the user is back in the field.
    bool podeGravar() const { return !m_recusado; }
    // Whether the field holds the code its last look-up found.
    bool confirmado() const;
    QString encontrado() const { return m_encontrado; }
    // Forgets the refusal and the code found (the window empties itself).
    void esquece();

    // The leave work, run now: pad, look up, refuse. Returns whether the code was found.
    bool confere();
    // Opens the search window with the window's tag.
    void abreBusca();
    // Puts the proposal in the field now, selected; false when the database could not give one.
    bool propoe();
    // Puts the focus in the field, with a fresh proposal: the focus-in makes it or, when the
    // window gets no focus event (being shown, not active), this call does.
    void vaiParaOCampo();

signals:
    // The user came into the field (not on the way back after a refusal).
    void entrou();
    void achou(const QString& codigo);
    void recusou();
    // The search window closed, whatever was chosen in it.
    void buscaFechada();
    // The user left the field with no code in it: nothing was looked up.
    void saiuVazio();

private:
    void entra();
    void recusa(const QString& mensagem);
    void registraNaBusca();

    QLineEdit* m_campo;
    QWidget* m_janela;
    Regras m_regras;
    QString m_encontrado;
    bool m_recusado = false;
    bool m_proposto = false;

public:
    // The field shows `codigo`, whose record the window found another way (by its bar code):
    // it counts as found, as if its own look-up had found it.
    void aceita(const QString& codigo);
    // Called by the look-up, which then answers false: the register has the code, but the
    // window turns the record down (a lent-out item where only consumables may go). The field
    // refuses it as it refuses an unknown code, with this message and kind instead of the
    // not-found one, and empties `limpa` as well.
    void recusaRegistro(const QString& mensagem, TipoMensagem tipo,
                        const QList<QLineEdit*>& limpa = {});

private:
    struct Motivo {
        QString mensagem;
        TipoMensagem tipo;
        QList<QLineEdit*> limpa;
    };
    std::optional<Motivo> m_motivo;
};
