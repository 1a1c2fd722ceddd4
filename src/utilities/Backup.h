#pragma once

#include "common/Formulario.h"

class Contexto;
class QLineEdit;

// Copies the whole database named by Config.ini into a backup file, by the database server's
// own backup service. Each opening starts from "backup.gbk" in the working folder; the working
// folder, which the file chooser may move, is set back when a backup ends and when the window
// closes.
class TfBackup : public Dialogo {
    Q_OBJECT

public:
    explicit TfBackup(Contexto& app, QWidget* parent = nullptr);

    // The backup file the next backup writes, and the database it copies.
    QString arquivoBackup() const { return m_arquivo; }
    QString bancoOrigem() const { return m_banco; }
    QString PastaInicial;

    void done(int resultado) override;

protected:
    void aoAbrir() override;

private:
    void escolhePasta();
    void geraBackup();

    Contexto& m_app;
    QLineEdit* m_edPasta;
    QString m_arquivo;
    QString m_banco;
};
