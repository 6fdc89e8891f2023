#include "sharing/store/store_strings.h"


#include <array>
#include <utility>

namespace lv::sharing::store {
namespace {

constexpr std::array<std::pair<int, std::string_view>, 7> kTexts = {{
    {1016, "Não foi possível comunicar-se com o servidor da loja de fotos. Verifique sua conexão com a Internet e o "
           "endereço da loja nas configurações."},
    {1017, "Identificação do usuário ou senha incorreta."},
    {1018, "Esta conta da loja de fotos está bloqueada. Entre em contato com o atendimento da loja."},
    {1019, "O servidor da loja de fotos não respondeu a tempo. Tente novamente mais tarde."},
    {1020, "Não foi possível estabelecer uma conexão segura com a loja de fotos. O certificado do servidor não é "
           "confiável ou o endereço não usa HTTPS."},
    {1021, "A loja de fotos recusou o pedido."},
    {1022, "A loja de fotos está indisponível no momento ou respondeu de forma inesperada. Tente novamente mais "
           "tarde."},
}};

}  // namespace

std::string_view StoreString(int id)
{
    for (const auto& [number, text] : kTexts)
        if (number == id)
            return text;
    return {};
}

}  // namespace lv::sharing::store
