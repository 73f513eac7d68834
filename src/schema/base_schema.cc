#include "bp/schema/base_schema.h"

#include "schema/base_schema_builder.h"

namespace bp::schema {

std::vector<Operation> BaseSchemaV18() {
  base::Builder builder;
  base::AddCompanyTables(builder);
  base::AddForecourtTables(builder);
  base::AddCustomerTables(builder);
  return std::move(builder).Finish();
}

}  // namespace bp::schema
