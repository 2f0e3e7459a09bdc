#include "engine/Erros.h"

namespace zovi {

namespace {

std::string Junta(const std::vector<EntradaErro>& pilha) {
    std::string texto;
    for (const auto& e : pilha) {
        if (!texto.empty()) texto += "\n";
        texto += e.texto;
    }
    return texto;
}

}  // namespace

ErroMotor::ErroMotor(std::vector<EntradaErro> pilha)
    : ErroBanco(Junta(pilha)), pilha_(std::move(pilha)) {
    if (pilha_.empty()) pilha_.push_back({codigo_motor::ErroInterno, TextoCodigo(codigo_motor::ErroInterno)});
}

ErroMotor::ErroMotor(std::uint16_t codigo, const std::string& detalhe)
    : ErroMotor(std::vector<EntradaErro>{
          {codigo, detalhe.empty() ? TextoCodigo(codigo) : TextoCodigo(codigo) + " " + detalhe}}) {}

std::string ErroMotor::TextoCodigo(std::uint16_t codigo) {
    using namespace codigo_motor;
    switch (codigo) {
        case TabelaNaoEncontrada: return "Tabela não encontrada.";
        case ArquivoCorrompido:   return "Arquivo de tabela corrompido.";
        case ErroEntradaSaida:    return "Erro de leitura ou gravação no arquivo da tabela.";
        case ViolacaoChave:       return "Key violation: já existe um registro com esta chave.";
        case ValorForaLargura:    return "Valor maior que a largura do campo.";
        case ValorObrigatorio:    return "Campo obrigatório sem valor.";
        case RequisicaoInvalida:  return "Operação inválida para o estado da tabela.";
        case TabelaOcupada:       return "Table is busy: a tabela está em uso por outro programa.";
        case TabelaEmUso:         return "Tabela aberta nesta sessão; feche-a antes desta operação.";
        case ValorForaDaLista:    return "Valor não encontrado na tabela de consulta.";
        case IndiceInexistente:   return "Índice inexistente.";
        case ErroSql:             return "Erro no comando SQL.";
        default:                  return "Erro interno do motor de banco de dados.";
    }
}

std::string ErroMotor::TextoCategoria(std::uint8_t categoria) {
    switch (categoria) {
        case 0x21: return "Erro do sistema";
        case 0x22: return "Objeto não encontrado";
        case 0x23: return "Dados corrompidos";
        case 0x24: return "Erro de entrada e saída";
        case 0x25: return "Limite excedido";
        case 0x26: return "Violação de integridade";
        case 0x27: return "Requisição inválida";
        case 0x28: return "Conflito de bloqueio";
        case 0x2A: return "Contexto inválido";
        case 0x2E: return "Erro de consulta";
        default:   return "Outro erro";
    }
}

}  // namespace zovi
