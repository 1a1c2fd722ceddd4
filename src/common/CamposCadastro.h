#pragma once

#include "common/CampoCodigo.h"
#include "common/CamposProduto.h"

class Contexto;
class QAbstractButton;
class QLineEdit;

// The code field of each register, as the stock room's windows name a record of another
// register: its padding, its look-up, its refusal and its search window. A window takes its
// register's rules and changes only what it does differently (a refusal of another kind, a
// description emptied along with the code), then makes the field with them. The rules are made
// beside the registers' search windows they open (registers/CamposCadastro.cpp), so that a
// window of another room asks for a register's field without knowing its search window.

// Where a window's field sends the person for a search: the tag the search window knows the
// window by, and the window's "..." button (none when it has none).
struct BuscaDoCampo {
    QString origem;
    QAbstractButton* botao = nullptr;
};

// A user's code typed in a window that shows the user's login and name beside it: padded with
// zeros to 6, looked up, the login and name shown; a code nobody has is refused with the
// window's error message, the code and both fields emptied.
CampoCodigo::Regras regrasDoUsuario(Contexto& app, QLineEdit* login, QLineEdit* nome,
                                    const QString& naoEncontrado);

// A requisitioner: zeros to 6, the name shown in `descricao`; an unknown code is erased with
// "Requisitante não Encontrado !".
CampoCodigo::Regras regrasDoRequisitante(Contexto& app, QLineEdit* descricao,
                                         const BuscaDoCampo& busca);

// A product group: zeros to 6, the description shown in `descricao`; an unknown code stays,
// refused with "Grupo não Encontrado !".
CampoCodigo::Regras regrasDoGrupo(Contexto& app, QLineEdit* descricao, const BuscaDoCampo& busca);

// A supplier group: zeros to 6, the description shown in `descricao`; an unknown code stays,
// refused with a warning "Grupo de Fornecedor não Encontrado", its description emptied.
CampoCodigo::Regras regrasDoGrupoFornecedor(Contexto& app, QLineEdit* descricao,
                                            const BuscaDoCampo& busca);

// A supplier: zeros to 10, the company name shown in `razao`; an unknown code is an error
// "Fornecedor não Cadastrado", and both the code and the name are emptied.
CampoCodigo::Regras regrasDoFornecedor(Contexto& app, QLineEdit* razao, const BuscaDoCampo& busca);

// A product by its code alone: blanks in front to 10, the description shown in `descricao`
// (when given); an unknown code stays, refused with "Produto não Encontrado !". A window with
// the bar code beside the code takes the product fields (CamposProduto), which build on this.
CampoCodigo::Regras regrasDoProduto(Contexto& app, QLineEdit* descricao, const BuscaDoCampo& busca);

// A product by its code and its bar code together, as the movement windows check it: a stored
// code sheds its blanks when the person comes in, and a code the register does not have is
// erased. The window adds what it shows and how it words the refusal.
CamposProduto::Regras regrasDoProdutoEBarras(const BuscaDoCampo& busca);
