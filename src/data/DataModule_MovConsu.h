#pragma once

#include "data/DataSet.h"
#include "data/firebird/Consulta.h"

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
    Consulta SQLQMOVConsu;
    Consulta SQLQMovConsu2;
    DataSet cdsMovConsu;
};
