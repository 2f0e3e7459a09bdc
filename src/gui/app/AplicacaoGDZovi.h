#pragma once
// The application object. Any exception that no form handles reaches its event
// delivery: the general handler shows the error (engine errors with their
// native codes) and the program ends. Rows already stored stay stored; a row
// being edited is not stored.
#include <QApplication>
#include <QTranslator>

#include <exception>

namespace zovi::gui {

class ServicoDialogos;

// A focused widget with this property set to true is a lookup list bound to a
// table: a value missing from its list is expected there and shows no message.
inline constexpr char kListaConsultaTabela[] = "listaConsultaTabela";

class AplicacaoGDZovi : public QApplication {
public:
    AplicacaoGDZovi(int& argc, char** argv, ServicoDialogos& dialogos);

    bool notify(QObject* destino, QEvent* evento) override;

    // Shows the error and ends the program with kSaidaErro.
    void GDZOVIExcecaoGeral(std::exception_ptr erro);

    static constexpr int kSaidaErro = 1;

private:
    ServicoDialogos& dialogos_;
    QTranslator tradutorQt_;
    bool encerrando_ = false;
};

}  // namespace zovi::gui
