#pragma once

#include "common/Formulario.h"

class Aplicacao;
class QLineEdit;

// Asks for the folder of the database when there is no Config.ini: "Salvar" writes the file
// and opens the database, "Testar" only tries the folder. A first start on a new machine has
// no database yet: "Salvar" on a folder without one offers to create the empty database there.
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
    // Offers to create the delivered database in `pasta` when it is a folder here without one;
    // false when the creation was tried and failed (the message is shown).
    bool criaSeFaltar(const QString& pasta);

    Aplicacao& m_app;
    QLineEdit* m_edPathDados;
};
