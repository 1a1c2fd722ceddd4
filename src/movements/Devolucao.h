#pragma once

#include "common/Formulario.h"

#include <optional>
#include <utility>

class Contexto;
class CampoCodigo;
class CamposProduto;
class QLineEdit;
class QPushButton;
class QTableView;

// The open loans of lent-out items, narrowed by product and by requisitioner, from which one
// loan is chosen and returned (in TfDevolve). The list opens empty until "Buscar" is pressed.
class TfDevolucao : public Dialogo {
    Q_OBJECT

public:
    explicit TfDevolucao(Contexto& app, QWidget* parent = nullptr);

    // The next opening shows the open loans of `produto` lent to `requisitante` (codes as
    // stored), both filters filled as if typed, instead of the empty list: a loan chosen in
    // another window comes straight to its return.
    void filtraNaAbertura(const QString& produto, const QString& requisitante);

protected:
    void aoAbrir() override;

private:
    // The look-ups and the keys, wired once the form is laid out.
    void liga();
    void busca();
    void devolve();
    void aplicaFiltro(const QString& produto, const QString& requisitante);

    Contexto& m_app;
    QLineEdit* m_edCodPro;
    QLineEdit* m_edCodBar;
    QLineEdit* m_edDescPro;
    QLineEdit* m_edCodReq;
    QLineEdit* m_edDescReq;
    QLineEdit* m_edUnid;
    QPushButton* m_btnBuscaPro;
    QPushButton* m_btnBuscareq;
    QTableView* m_dbgDev;
    CamposProduto* m_produto;
    CampoCodigo* m_requisitante;
    std::optional<std::pair<QString, QString>> m_filtro; // product and requisitioner
};
