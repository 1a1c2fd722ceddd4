#pragma once

#include <QStringList>
#include <functional>

class Consulta;
class DataSet;

// A list as its data module hands it to the windows: the rows, and the module's own way of
// opening them in one of the orders its windows offer and of reading them again. The
// statements stay in the module; a window names an order by its place among them.
struct ListaDoModulo {
    DataSet* dados = nullptr;
    // How many orders the module offers.
    int ordens = 0;
    // Opens the list for the screen in order `ordem`: the statement of that order replaces the
    // list's, and the list keeps it, in every window that shows it, until an order is opened
    // again. On a database error ErroBanco reaches the caller and the list stays as it was.
    std::function<void(int ordem)> abre;
    // Reads the list again with the statement last opened.
    std::function<void()> rele;
};

// The list `dados`, read through `consulta`, in the orders of `sqls` by their place.
ListaDoModulo listaDoModulo(Consulta& consulta, DataSet& dados, const QStringList& sqls);
