#pragma once

#include <QDialog>

class Aplicacao;
class QLabel;

// The about box: the product, the version the database carries, and how to reach support.
class TfSobre : public QDialog {
    Q_OBJECT

public:
    explicit TfSobre(Aplicacao& app, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* e) override;

private:
    Aplicacao& m_app;
    QLabel* m_lbVersao;
};
