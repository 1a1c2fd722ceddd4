#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

#include <QDate>

// Loans of non-consumable items: the work query and the loan list of the return window and
// the overdue-returns report.
class TdmMovConsu {
public:
    explicit TdmMovConsu(Conexao& c) : SQLQMOVConsu(c), SQLQMovConsu2(c)
    {
        cdsMovConsu.setFormato(QStringLiteral("MOV_QUANT"), DataSet::Formato::QuantidadeSemMilhar);
        cdsMovConsu.setFormato(QStringLiteral("MOV_DATA"), DataSet::Formato::Data);
        cdsMovConsu.setFormato(QStringLiteral("MOV_DATAD"), DataSet::Formato::Data);
    }
    // Loads cdsMovConsu with the open loans whose return date is before `hoje`.
    void carregaAtrasadas(const QDate& hoje)
    {
        SQLQMovConsu2.limpa();
        SQLQMovConsu2.adiciona(QStringLiteral(
            "SElect m.*,p.PRO_Descricao, t.REQ_Descricao From Mov_Consu m join Produtos p on "
            "(m.MOV_CodPro = p.PRO_Codigo)  Left Outer join Requisitante t on "
            "(m.MOV_Tipo=t.REQ_CODIGO) Where m.MOV_DataD < :DataAtualC and MOV_Devolvido='N'"));
        SQLQMovConsu2.setParametro(QStringLiteral("DataAtualC"), hoje);
        cdsMovConsu.carrega(SQLQMovConsu2);
    }

    Consulta SQLQMOVConsu;
    Consulta SQLQMovConsu2;
    DataSet cdsMovConsu;
};
