#pragma once

#include <QObject>
#include <QString>

class QWidget;
class TdmPER;

// The state of one run that every window reads: the three access flags, the logged-in user,
// the company's name and telephone for the reports, the stored version and the reversal mode.
// The main window fills it at its first showing (and the login its user) and shows it; the
// other windows read it here, without knowing the main window.
class Sessao : public QObject {
    Q_OBJECT

public:
    explicit Sessao(TdmPER& permissoes);

    QString FlagLogin;
    QString FlagPermissao;
    QString FlagLog;
    QString CodUsuario;
    QString LoginUsuario;
    QString EmpNome;
    QString EmpFone;
    QString NumVersao;
    QString TipoEstorno;

    // Operations are written to the audit log only when both logging and login are on.
    bool registraLog() const;

    // The gate of a module code: allowed unless permissions and login are both on and the
    // user's row does not say "S". A refusal shows the warning over `pai` (the active window
    // when none is given) and answers false. Throws ErroBanco when the rights cannot be read.
    bool permite(const QString& codigo, QWidget* pai = nullptr);
    // The same answer without the warning.
    bool temAcesso(const QString& codigo);

    static QString semPermissao();

signals:
    // The company's data were saved: the main window's header shows them at once. The reports
    // keep EmpNome and EmpFone as read at start until the program starts again.
    void empresaAlterada(const QString& nome, const QString& telefone, const QString& email,
                         const QString& homePage);

private:
    TdmPER& m_permissoes;
};
