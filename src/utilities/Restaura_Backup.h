#pragma once

#include "common/Formulario.h"

class Contexto;
class QLineEdit;

// Brings a backup file back as a database file, by the database server's own restore service.
// While the window is open the program holds no connection (the database may be the one being
// replaced); it gets it back when a restore attempt ends and when the window closes. After a
// successful restore the program ends, so the next start opens what Config.ini names afresh.
//
// A bad backup file never costs the database it was meant to replace: the restore goes into a
// new file first and replaces the chosen one only when the server finished it (see Servicos).
class TfRestaura_Backup : public Dialogo {
    Q_OBJECT

public:
    explicit TfRestaura_Backup(Contexto& app, QWidget* parent = nullptr);

    QString arquivoBackup() const { return m_backup; }
    QString bancoDestino() const { return m_banco; }

    void done(int resultado) override;

protected:
    void aoAbrir() override;

private:
    void procuraBackup();
    void escolhePasta();
    void restaura();
    // Opens the program's connection again; a failure is shown as at start-up.
    void reabreConexao();

    Contexto& m_app;
    QLineEdit* m_edBackup1;
    QLineEdit* m_edPasta;
    QString m_backup;
    QString m_banco;
};
