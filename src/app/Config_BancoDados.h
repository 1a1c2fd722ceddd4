#pragma once

#include <QDialog>

class Aplicacao;
class QLineEdit;

// Asks for the folder of the database when there is no Config.ini: "Salvar" writes the file
// and opens the database, "Testar" only tries the folder.
class TfConfig_BancoDados : public QDialog {
    Q_OBJECT

public:
    explicit TfConfig_BancoDados(Aplicacao& app, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* e) override;

private:
    void salvar();
    void testar();
    void sairDoPrograma();
    void falhou(const QString& erro);

    Aplicacao& m_app;
    QLineEdit* m_edPathDados;
};
