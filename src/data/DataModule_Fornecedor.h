#pragma once

#include "data/DataSet.h"
#include "data/ListaDoModulo.h"
#include "data/firebird/Consulta.h"

#include <QDate>
#include <optional>

class Transacao;

// One supplier as the register stores it. Texts come back as stored, empty for none.
struct Fornecedor {
    QString codigo; // a number padded to 10 with zeros
    QString tipo;   // "J" legal person, "F" natural person
    QDate cadastro; // none (invalid) when stored without one, and written back so
    QString grupo;  // supplier group code, as typed: it may name no group
    QString razao;
    QString fantasia;
    QString cnpj;
    QString inscricao;
    QString endereco;
    QString numero;
    QString complemento;
    QString bairro;
    QString cidade;
    QString uf;
    QString cep;
    QString fone1;
    QString fone2;
    QString fax;
    QString celular;
    QString contato;
    QString email;
    QString homePage;
    QString banco;
    QString agencia;
    QString conta;
    QString observacoes;
};

// Suppliers: the work query, the list shared by the list and search windows, and the
// statements of the supplier record.
class TdmFornecedor {
public:
    explicit TdmFornecedor(Conexao& c);

    // The orderings of the supplier lists, in the order of the windows' radios.
    enum class Ordem { PorCodigo, PorRazao, PorFantasia };
    // The list window's statement for each ordering radio, and the one it opens with (by name).
    static QString sqlManutencao(Ordem ordem);
    static QString sqlAbertura();
    // The search window's statement for each ordering radio.
    static QString sqlBusca(Ordem ordem);
    // The shared list in the list window's orders (those of Ordem, then the one it opens with,
    // at ordemDeAbertura) and in the search window's (those of Ordem).
    static constexpr int ordemDeAbertura = 3;
    ListaDoModulo listaDaManutencao();
    ListaDoModulo listaDaBusca();

    // The company name of a supplier code (padded to 10 with zeros); none when there is no
    // such supplier.
    std::optional<QString> razaoFornecedor(const QString& codigo);
    // The whole supplier of a code; none when there is no such supplier.
    std::optional<Fornecedor> fornecedor(const QString& codigo);
    bool codigoExiste(const QString& codigo);
    // The code a new supplier is offered: the highest stored code plus one, padded to 10 with
    // zeros ("0000000001" on an empty register). ErroBanco when the highest is no number.
    QString proximoCodigo();

    // The writes of the record window, inside the caller's transaction; `codigo` names the
    // supplier changed or deleted. Each answers the rows it touched.
    qint64 inclui(Transacao& t, const Fornecedor& f);
    qint64 altera(Transacao& t, const QString& codigo, const Fornecedor& f);
    qint64 exclui(Transacao& t, const QString& codigo);

    Consulta SQLQFornecedor2;
    DataSet cdsFornecedor;

private:
    Conexao& m_conexao;
    Consulta m_razao;
    Consulta m_porCodigo;
    Consulta m_existe;
    Consulta m_inclui;
    Consulta m_altera;
    Consulta m_exclui;
};
