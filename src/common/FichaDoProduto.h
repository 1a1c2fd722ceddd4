#pragma once

class Contexto;
class QString;
class QWidget;

// Shows one product's record, read only ("Consulta"), behind the permissions the menu and the
// product list ask for: how a window of another room (the day's alerts) opens a product without
// knowing the product windows. `codigo` is padded. Nothing opens when the user may not, or when
// the product cannot be read (the user told over `pai`). Made beside the product windows.
void consultaProduto(Contexto& app, const QString& codigo, QWidget* pai);
