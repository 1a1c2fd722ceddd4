#pragma once

#include "data/firebird/Consulta.h"

#include <optional>

class Transacao;

// The company's data, as the one row of the register holds them.
struct DadosEmpresa {
    QString nome;
    QString cnpj;
    QString inscricao;
    QString endereco;
    QString bairro;
    QString cidade;
    QString uf;
    QString telefone;
    QString fax;
    QString email;
    QString homePage;
    QString observacoes;
};

// The single row with the company's data, printed on every report header.
class TdmEmpresa {
public:
    explicit TdmEmpresa(Conexao& c);

    // The stored row; none when the database has lost it. Database errors reach the caller.
    std::optional<DadosEmpresa> dados();
    // Rewrites the row; returns the rows written (0 when the row is missing).
    qint64 grava(Transacao& t, const DadosEmpresa& d);

    Consulta SQLQ_Empresa;
};
