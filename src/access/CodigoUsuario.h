#pragma once

#include "common/CampoCodigo.h"

class Aplicacao;
class QLineEdit;

// A user's code typed in a window that shows the user's login and name beside it: padded with
// zeros to 6, looked up, the login and name shown; a code nobody has is refused with the
// window's error message, the code and both fields emptied.
CampoCodigo::Regras regrasDoUsuario(Aplicacao& app, QLineEdit* login, QLineEdit* nome,
                                    const QString& naoEncontrado);
