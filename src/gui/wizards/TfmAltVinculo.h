#pragma once
// The pages of the change of relationship type, fmAltVinculo00 to fmAltVinculo02:
// presentation, establishment, and the code whose "Concluir" gives it to every
// employee of the establishment.
#include <memory>

#include "wizards/AssistenteManutencao.h"

namespace Ui {
class TfmAltVinculo;
}

namespace zovi::gui {

class TfmAltVinculo : public PaginaAssistente {
    Q_OBJECT
public:
    TfmAltVinculo(ContextoManutencao& contexto, ServicoDialogos& dialogos, int pagina, QWidget* pai = nullptr);
    ~TfmAltVinculo() override;

    EscolhaEstabelecimento& Estabelecimentos();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Avancar();
    void Concluir();
    // The chosen code against the establishment's inscription type; "1307" refuses it.
    bool ConfereCodigo();
    std::string Codigo() const;

    std::unique_ptr<Ui::TfmAltVinculo> ui_;
    ContextoManutencao& manutencao_;
    const int pagina_;
};

}  // namespace zovi::gui
