#pragma once

#include "common/Formulario.h"

class Contexto;
class QRadioButton;
class QTableView;
namespace Familia {
class Lista;
}

// The list of users, ordered by code, name or login, with the quick search, and the buttons
// that open the record window to add, change, delete or look at one. The menu's permission is
// the only one asked: the buttons have no module of their own.
class TfManut_Usuarios : public Dialogo {
    Q_OBJECT

public:
    explicit TfManut_Usuarios(Contexto& app, QWidget* parent = nullptr);

    // The mode in which the record window opens.
    ::Modo Modo = ::Modo::Nenhum;

    Familia::Lista& lista() { return *m_lista; }

protected:
    void aoAbrir() override;

private:
    // Opens the record window in `modo`; a change, deletion or look needs a user in the list,
    // else `vazia` says there is none.
    void abreDados(::Modo modo, const QString& vazia);

    Contexto& m_app;
    Familia::Lista* m_lista;
    QRadioButton* m_rbNome;
    QTableView* m_grade;
    int m_ordemAbertura = -1;
};
