#pragma once
// The establishment list: finds an establishment of the declaration by the
// start of its inscription, the start of its name or its initial letter, and
// opens it in the establishment form (mode 0) or hands it to the deletion
// form (mode 1). A marker left open on the establishment by a run that ended
// abnormally is reported and cleared first. Ctrl+Alt+F3, F4 and F5 open the
// transfer, multiple deletion and relationship-type wizards in its place.
#include <QDialog>

#include <functional>
#include <memory>
#include <string>

namespace Ui {
class TfmConEstab;
}

namespace zovi {
class Mensagens;
class TdmGDZovi;
}

namespace zovi::gui {

class ServicoDialogos;
class ModeloEstabelecimentos;

class TfmConEstab : public QDialog {
    Q_OBJECT
public:
    enum Modo { ModoAbrir = 0, ModoExcluir = 1 };
    // Opens the establishment form for a stored establishment (new-row flag false).
    using AbreEstabelecimento = std::function<void(const std::string& anoBase, const std::string& inscricao,
                                                   const std::string& prefixo)>;

    TfmConEstab(TdmGDZovi& dm, ServicoDialogos& dialogos, Mensagens& mensagens, AbreEstabelecimento abre,
                QWidget* pai = nullptr);
    ~TfmConEstab() override;

    void DefineModo(Modo modo);
    ModeloEstabelecimentos& Modelo() { return *modelo_; }
    // Runs the search of the boxes and the letter filter again.
    void Pesquisa();

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* objeto, QEvent* e) override;

private:
    void Letra(const QString& letras);
    void Exibir();
    void Excluir();
    void Acao();
    bool LinhaAtual(int& linha);
    bool ExistemEstabelecimentos();
    // Hidden while `acao` runs; afterwards shown again with the search re-run, or closed
    // when no establishment is left.
    void Esconde(const std::function<void()>& acao);

    std::unique_ptr<Ui::TfmConEstab> ui_;
    TdmGDZovi& dm_;
    ServicoDialogos& dialogos_;
    Mensagens& mensagens_;
    AbreEstabelecimento abre_;
    ModeloEstabelecimentos* modelo_;
    Modo modo_ = ModoAbrir;
    QString letras_;
};

}  // namespace zovi::gui
