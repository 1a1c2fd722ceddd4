#pragma once

#include "common/Formulario.h"

class Aplicacao;
class QLineEdit;

// Asks for the folder of the database when there is no Config.ini: "Salvar" writes the file
// and opens the database, "Testar" only tries the folder.
class TfConfig_BancoDados : public Dialogo {
    Q_OBJECT

public:
    explicit TfConfig_BancoDados(Aplicacao& app, QWidget* parent = nullptr);

protected:
    void aoAbrir() override;

private:
    void salvar();
    void testar();
    void sairDoPrograma();
    void falhou(const QString& erro);

    Aplicacao& m_app;
    QLineEdit* m_edPathDados;
};
