#pragma once

#include <QHash>
#include <QMainWindow>

#include "app/Aplicacao.h"
#include "app/Janelas.h"
#include "common/Modal.h"
#include <functional>
#include <initializer_list>

class Aplicacao;
class QLabel;
class QMenu;

// The main window: the company header, the status bar and the menu through which every other
// window opens, each behind the current user's permission. It fills and shows the session's
// state (the three access flags, the logged-in user, the company's name and telephone for the
// reports, the stored version and the reversal mode); its fields of those names are the
// session's own.
class TfPrincipal : public QMainWindow {
    Q_OBJECT

public:
    explicit TfPrincipal(Aplicacao& app, QWidget* parent = nullptr);
    ~TfPrincipal() override;

    QString& FlagLogin;
    QString& FlagPermissao;
    QString& FlagLog;
    QString& CodUsuario;
    QString& LoginUsuario;
    QString& EmpNome;
    QString& EmpFone;
    QString& NumVersao;
    QString& TipoEstorno;

    // Operations are written to the audit log only when both logging and login are on.
    bool registraLog() const;

    // The gate of a module code: allowed unless permissions and login are both on and the
    // user's row does not say "S". A refusal shows the warning over this window and answers
    // false.
    bool permite(const QString& codigo);
    // The same answer without the warning.
    bool temAcesso(const QString& codigo);

    // Runs once, when the window is first on screen: version, flags, login, company header
    // and status bar.
    void passoDeExibicao();

    // A menu item by its name; aciona() runs it as a click would (gate, then its action),
    // even while it is disabled because its window is not part of the program yet.
    QAction* item(const QString& nome) const;
    QMenu* grupo(const QString& nome) const;
    void aciona(const QString& nome);
    // Gives an item the window it opens and enables it. Throws std::invalid_argument for a
    // name the menu does not have.
    void ligaItem(const QString& nome, std::function<void()> abre);

    // Settings checks before the user-administration windows, read afresh from the database:
    // 'A' and 'C' need login on, 'B' needs permissions on. A refusal shows its error box.
    bool verificaConfiguracao(char verificacao);

    void setUsuarioNaBarra(const QString& login);
    QString painel(int indice) const;
    // Rewrites the header after the company's data changed.
    void atualizaEmpresa(const QString& nome, const QString& telefone, const QString& email,
                         const QString& homePage);

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    // One row of the menu table. Adding a window to the program is giving its row the
    // window's opener, abre<T>().
    struct Linha {
        const char* titulo;
        const char* nome;
        const char* codigo = nullptr;    // the module code of the item's gate; none: no gate
        std::function<void()> abre = {}; // empty while the window is not built
        char verificacao = 0;            // settings check before opening, if any
        const char* estorno = nullptr;   // reversal mode set before opening, if any
    };

    void montaMenu();
    // Opens the run's window of class T modally.
    template <typename T> std::function<void()> abre()
    {
        static_assert(Janelas::registrada<T>, "a window the menu opens is listed in app/Janelas.h");
        return [this] { Modal::exec(&m_app.template janela<T>()); };
    }
    QMenu* novoGrupo(QMenu* pai, const char* titulo, const char* nome,
                     const char* codigo = nullptr);
    void itens(QMenu* menu, std::initializer_list<Linha> linhas);
    void aoAbrirGrupo(QMenu* menu, const QString& codigo);
    void atualizaVersao();

    Aplicacao& m_app;
    QHash<QString, Linha> m_itens;
    QLabel* m_lbNome;
    QLabel* m_lbEndereco;
    QLabel* m_lbTelefone;
    QLabel* m_lbEmail;
    QLabel* m_lbHomePage;
    QLabel* m_paineis[3];
};
